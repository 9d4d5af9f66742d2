#pragma once

#include <string>
#include <utility>
#include <vector>

// Edits of the text of a file, for tests that start from a known file, such as the default
// layout, and change a few of its lines.
namespace testsupport {

// The text with every occurrence of from replaced by to.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

// The text with each whole line first (its line feed left out) replaced by second wherever it
// stands. A line that the text does not hold throws std::invalid_argument, so that a change
// mistyped in a test fails it rather than testing the unchanged file.
std::string WithLines(std::string text,
                      const std::vector<std::pair<std::string, std::string>>& changes);

}  // namespace testsupport
