#include "roster/GroupBy.h"

#include <array>
#include <utility>

#include "roster/CaseFold.h"

namespace {

constexpr std::array<std::pair<GroupBy, std::string_view>, 4> kWords = {
    {{GroupBy::Teacher, "teacher"},
     {GroupBy::HomeRoom, "homeroom"},
     {GroupBy::Grade, "grade"},
     {GroupBy::None, "none"}}};

}  // namespace

std::optional<GroupBy> ParseGroupBy(std::string_view word) {
  for (const auto& [by, name] : kWords) {
    if (CaseFolded(word) == name) return by;
  }
  return std::nullopt;
}

std::string_view GroupByWord(GroupBy by) {
  for (const auto& [choice, name] : kWords) {
    if (choice == by) return name;
  }
  return {};
}

GroupBy DefaultGroupBy(const ClassList::Columns& filled) {
  if (filled.Teacher) return GroupBy::Teacher;
  if (filled.HomeRoom) return GroupBy::HomeRoom;
  if (filled.Grade) return GroupBy::Grade;
  return GroupBy::None;
}
