#include "roster/Group.h"

#include <algorithm>

#include "roster/ClassList.h"

namespace {

ClassMember MainImageOf(const Group& group) {
  if (group.Main) {
    ClassMember main = *group.Main;
    if (!main.Title.empty()) main.FirstName = main.Title;
    main.Main = true;
    return main;
  }
  // The Teacher Name's last word stands for the last name, so a layout that prints names on two
  // lines or last name first treats it as it does the pupils'.
  ClassMember standIn;
  const std::size_t space = group.TeacherName.find_last_of(' ');
  if (space == std::string::npos) {
    standIn.LastName = group.TeacherName;
  } else {
    standIn.FirstName = group.TeacherName.substr(0, space);
    standIn.LastName = group.TeacherName.substr(space + 1);
  }
  standIn.Teacher = group.TeacherName;
  standIn.HomeRoom = group.HomeRoom;
  standIn.Grade = group.Grade;
  standIn.Volume = group.Volume;
  standIn.Main = true;
  standIn.StandIn = true;
  return standIn;
}

}  // namespace

ClassList ForGroup(const Group& group) {
  std::vector<ClassMember> members;
  members.reserve(group.ImageCount());
  for (ClassMember pupil : group.Pupils) {
    pupil.Main = false;
    members.push_back(std::move(pupil));
  }
  // In the list's order, so that the drawing meets equal names in the order a drawing of the
  // whole list would; a stand-in, on no line, comes first.
  ClassMember main = MainImageOf(group);
  const auto at = std::upper_bound(
      members.begin(), members.end(), main.Line,
      [](std::size_t line, const ClassMember& member) { return line < member.Line; });
  const auto mainIndex = static_cast<std::size_t>(at - members.begin());
  members.insert(at, std::move(main));
  return ClassList::Of(std::move(members), mainIndex, group.Name);
}
