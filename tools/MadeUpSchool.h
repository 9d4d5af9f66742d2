#pragma once

#include <string>
#include <vector>

// One row of a made-up school's portrait index: a pupil, a teacher or another member of staff.
struct SchoolPortrait {
  std::string Folder;  // under the index's folder, with backslashes as camera-room software writes
  std::string File;
  std::string Grade;  // "1" to "8" for pupils, "Faculty" for teachers, "Staff" for the others
  std::string LastName;
  std::string FirstName;
  std::string HomeRoom;
  std::string TeacherName;
  std::string Title;
};

// A made-up school as the portrait index of its picture day lists it: groups of pupils spread
// over grades 1 to 8, each with its own home room and a teacher ("Mrs. Okafor") whose row has
// the same home room and teacher name, then five more staff, one of them the principal. Every
// name is distinct, so that a reader's grouping and teacher matching can be checked by name.
class MadeUpSchool {
 public:
  static constexpr int kOtherStaff = 5;

  // The most people the name lists can make distinct: pupils, teachers and other staff.
  static int MostPeople();

  // The rows of a school of this many groups sharing this many pupils (the first groups one
  // pupil more when they do not share evenly): the pupils group by group, then the teachers,
  // then the other staff. The caller keeps groups at least 1 and the people within MostPeople.
  static std::vector<SchoolPortrait> Make(int groups, int pupils);

  // The portrait index of the rows in its full 13-column form without a header row, fields
  // separated by TABs and lines ended by CR LF; volume is the school's name.
  static std::string IndexText(const std::vector<SchoolPortrait>& rows, const std::string& volume);
};
