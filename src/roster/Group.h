#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "roster/ClassMember.h"

class ClassList;

// One composite's worth of a school: the pupils of one teacher, home room or grade with their
// teacher as the main image, or the staff who teach no group, or a whole list as one group.
struct Group {
  // The value its pupils share, as the first of them writes it; empty for pupils whose rows
  // leave it empty; "Staff" for the staff group.
  std::string Key;
  // What the group is called in captions, file names, the report and the window: the key, or
  // "No Teacher", "No Home Room" or "No Grade" for an empty one.
  std::string Name;
  bool IsStaff = false;
  // Each the value more than half the pupils share (as first written), empty when none is.
  std::string Grade;
  std::string HomeRoom;
  std::string Volume;
  // The teacher's printed name when a teacher was found, else the pupils' Teacher Name.
  std::string TeacherName;
  // The subjects besides the main image, in the list's order (the staff group's other staff).
  std::vector<ClassMember> Pupils;
  // The main image: the teacher, the principal, the first staff row, or the list's main
  // subject; none when a student group's teacher could not be found, and then why not.
  std::optional<ClassMember> Main;
  std::string NoMainReason;

  std::size_t PupilCount() const { return Pupils.size(); }
  // The images of the composite, the main image (or its stand-in) included.
  std::size_t ImageCount() const { return Pupils.size() + 1; }
};

// The group as a list the drawing takes, in the order of the list it came from, its main image
// marked Main: the teacher named with the Title in place of the first name when there is one
// ("Mrs." "Okafor"); without a teacher, a stand-in named with the Teacher Name (see
// ClassMember::StandIn).
ClassList ForGroup(const Group& group);
