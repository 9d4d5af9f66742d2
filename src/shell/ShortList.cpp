#include "shell/ShortList.h"

std::string ShortList(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size() && i < kListedLines; ++i) text += "\n" + lines[i];
  if (lines.size() > kListedLines) {
    text += "\n... and " + std::to_string(lines.size() - kListedLines) + " more";
  }
  return text;
}
