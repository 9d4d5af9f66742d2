#pragma once

#include <string>
#include <string_view>

#include "roster/ListContent.h"

// Reads a class list of our own CSV form (see ClassList) whose relative picture paths resolve
// against folder.
ListContent ReadCsvClassList(std::string_view text, const std::string& folder);
