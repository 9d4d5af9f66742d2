#pragma once

#include <optional>
#include <string_view>

#include "roster/ClassList.h"

// What a school's pupils are grouped by, one composite a group.
enum class GroupBy { Teacher, HomeRoom, Grade, None };

// The choice a word names: "teacher", "homeroom", "grade" or "none", case aside.
std::optional<GroupBy> ParseGroupBy(std::string_view word);
// The word of a choice, as ParseGroupBy reads it.
std::string_view GroupByWord(GroupBy by);
// What a list's pupils are grouped by when nobody says: the teacher where the list names one
// for its pupils, else the home room, else the grade, else all are one group.
GroupBy DefaultGroupBy(const ClassList::Columns& filled);
