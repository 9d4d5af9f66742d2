#include "support/TextChanges.h"

#include <stdexcept>
#include <utility>

namespace testsupport {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string WithLines(std::string text,
                      const std::vector<std::pair<std::string, std::string>>& changes) {
  // A line feed put before the text lets its first line be found as every other one is.
  text.insert(0, "\n");
  for (const auto& [from, to] : changes) {
    if (text.find("\n" + from + "\n") == std::string::npos) {
      throw std::invalid_argument("the text has no line " + from);
    }
    text = ReplaceAll(std::move(text), "\n" + from + "\n", "\n" + to + "\n");
  }
  return text.substr(1);
}

}  // namespace testsupport
