#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "roster/ClassMember.h"
#include "roster/CsvReader.h"

// What one of the list readers made of a list's text: its members and the main one, or why the
// text was refused. The class list assembles itself from it.
struct ListContent {
  std::vector<ClassMember> Members;
  std::size_t MainIndex = 0;
  bool Windows1252 = false;
  std::optional<CsvRefusal> Refusal;
};
