#include "shell/PreviewGroups.h"

#include "roster/ClassList.h"
#include "roster/ClassListCache.h"
#include "roster/GroupBy.h"
#include "roster/SchoolGroups.h"
#include "settings/PreviewSettings.h"

std::shared_ptr<const SchoolGroups> PreviewSchoolGroups(const PreviewSettings& settings) {
  if (settings.ClassListPath.empty()) return nullptr;
  // The preview asks at every redraw; a school of a thousand pupils is grouped once per read.
  static std::shared_ptr<const ClassList> groupedList;
  static std::shared_ptr<const SchoolGroups> groups;
  std::shared_ptr<const ClassList> list = ClassListCache::Instance().Get(settings.ClassListPath);
  if (list == groupedList) return groups;
  groupedList = std::move(list);
  groups.reset();
  if (!groupedList->Ok()) return nullptr;
  const GroupBy by = DefaultGroupBy(groupedList->Filled());
  if (by == GroupBy::None) return nullptr;
  auto made = std::make_shared<const SchoolGroups>(SchoolGroups::Make(*groupedList, by));
  if (made->Ok() && !made->Groups().empty()) groups = std::move(made);
  return groups;
}

const Group& PreviewGroup(const SchoolGroups& groups, const PreviewSettings& settings) {
  const Group* chosen = settings.ClassGroup.empty() ? nullptr : groups.Find(settings.ClassGroup);
  return chosen != nullptr ? *chosen : groups.Groups().front();
}

std::string GroupListItem(const Group& group) {
  const std::size_t pupils = group.PupilCount();
  return group.Name + " (" + std::to_string(pupils) + (pupils == 1 ? " pupil)" : " pupils)");
}
