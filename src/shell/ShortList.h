#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A message box or a summary lists this many lines at most; a school whose folder was moved
// would otherwise fill the screen with one line per subject.
inline constexpr std::size_t kListedLines = 10;

// The first kListedLines lines, each after a line break, then "... and N more" for the rest.
std::string ShortList(const std::vector<std::string>& lines);
