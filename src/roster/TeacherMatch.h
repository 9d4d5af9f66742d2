#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct ClassMember;

// The teacher found for a group of pupils among the staff, or why none was.
struct TeacherMatch {
  std::optional<std::size_t> Staff;  // the index into the staff given
  std::string Reason;                // empty when a teacher was found
};

// Finds the teacher of pupils whose home room and Teacher Name are given. The candidates are the
// staff whose Home Room is the pupils' (trimmed, case aside) and those whose last name stands as
// a whole word in the Teacher Name. One candidate is the teacher. Of several, those of the same
// home room are preferred, and of several of those, the ones whose name matches too: a teacher
// and an aide share a room, but the pupils' rows name the teacher. More than one left, or none
// at all, is no teacher.
TeacherMatch FindTeacher(const std::string& homeRoom, const std::string& teacherName,
                         const std::vector<const ClassMember*>& staff);
