#pragma once

#include <string>

struct ClassMember;

// Who among the subjects of a school is staff, and how staff are named on a composite.

// A teacher or other staff: the Grade is a word such as "Faculty", "Staff", "Staff/Faculty" or
// "Teacher" (case and spaces aside), or the row has a Title.
bool IsStaff(const ClassMember& member);

// The Title holds the word "Principal" ("Principal", "Assistant Principal").
bool IsPrincipal(const ClassMember& member);

// A teacher's name as the composite prints it under the main image: the Title and the last name
// when there is a Title ("Mrs. Okafor"), else the first and the last name.
std::string TeacherPrintedName(const ClassMember& member);
