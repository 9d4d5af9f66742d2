#include "shell/ProgramVersion.h"

#include <charconv>

std::string VersionTitle() {
  // Three decimals with a point whatever the user's locale, as the title has always shown.
  char digits[32];
  const auto end =
      std::to_chars(digits, digits + sizeof digits, ProgramVersion, std::chars_format::fixed, 3)
          .ptr;
  return "Version V" + std::string(digits, end);
}
