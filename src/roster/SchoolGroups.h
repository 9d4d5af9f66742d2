#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "roster/Group.h"
#include "roster/GroupBy.h"

class ClassList;

// A school's list split into the groups that each make one composite. Pupils (every row that is
// not staff, see IsStaff) are grouped by their teacher's name, home room or grade, compared
// trimmed and case aside; each group's teacher is found among the staff (see FindTeacher); the
// staff who teach no group make one group more, "Staff", with the principal as its main image
// (the first staff row when there is none). Grouped by none, the whole list is one group named
// after the list's Volume, or its file, whose main image is the one the list marks Main, else
// the principal, else the first row.
//
// The groups come in a fixed order, which the report and the window's list of groups follow:
// by grade (pre-kindergarten, kindergarten, then grades in natural order, "2" before "10", then
// pupils without a grade), then by name in natural order ("Room 2" before "Room 10"), the staff
// group last.
class SchoolGroups {
 public:
  // Groups a list that was read. Refused: a list with an error, grouping by a column no pupil's
  // row fills, and a group of more images than a composite shows.
  static SchoolGroups Make(const ClassList& list, GroupBy by);

  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }
  GroupBy By() const { return by_; }
  const std::vector<Group>& Groups() const { return groups_; }
  // The pupils of every group together, the staff group's staff not counted.
  std::size_t PupilCount() const;
  // The group called text (trimmed, case aside), or null.
  const Group* Find(std::string_view text) const;

 private:
  GroupBy by_ = GroupBy::None;
  std::vector<Group> groups_;
  std::string error_;
};
