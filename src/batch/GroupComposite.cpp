#include "batch/GroupComposite.h"

#include "images/CompositeSubjects.h"
#include "roster/ClassList.h"
#include "roster/Group.h"
#include "roster/SchoolGroups.h"
#include "settings/PreviewSettings.h"

CaptionFields::CaptionFields(const PreviewSettings& settings) {
  for (std::size_t line = 0; line < lines_.size(); ++line) {
    lines_[line] = FieldTemplate::Parse(settings.SampleCaptionText[line]);
    if (error_.empty() && !lines_[line].Ok()) {
      error_ = "caption line " + std::to_string(line + 1) + ": " + lines_[line].Error();
    }
  }
}

PreviewSettings CaptionFields::For(const PreviewSettings& settings, const Group& group) const {
  PreviewSettings filled = settings;
  for (std::size_t line = 0; line < lines_.size(); ++line) {
    filled.SampleCaptionText[line] = lines_[line].Fill(group);
  }
  return filled;
}

CompositeSubjects GroupSubjects(const Group& group) {
  return CompositeSubjects(std::make_shared<const ClassList>(ForGroup(group)));
}

const Group* ChooseGroup(const SchoolGroups& groups, std::string_view name, const ClassList& list,
                         std::string& error) {
  if (const Group* group = groups.Find(name)) return group;
  error = "no group \"" + std::string(name) + "\" in " + list.Name() + "; its groups are ";
  const std::vector<Group>& all = groups.Groups();
  for (std::size_t i = 0; i < all.size(); ++i) {
    error += i == 0 ? "" : i + 1 == all.size() ? " and " : ", ";
    error += "\"" + all[i].Name + "\"";
  }
  return nullptr;
}
