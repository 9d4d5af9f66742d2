#include "shell/FieldNumber.h"

#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

FieldNumber ReadFieldNumber(std::string_view text, std::uint32_t low, std::uint32_t high) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

  // A minus sign makes a number the user meant, just not one an unsigned field can hold: it is
  // reported as out of range rather than wrapped round to a huge value.
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return {std::nullopt, "Enter a positive integer."};

  // Digits are counted on past 32 bits without wrapping, so a long number is out of range
  // instead of turning into a small one.
  std::uint64_t value = 0;
  bool tooLarge = false;
  for (char c : text) {
    if (!IsDigit(c)) return {std::nullopt, "Enter a positive integer."};
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > std::numeric_limits<std::uint32_t>::max()) {
      tooLarge = true;
      value = std::numeric_limits<std::uint32_t>::max();
    }
  }
  if (negative || tooLarge || value < low || value > high) {
    return {std::nullopt, "Enter an integer between " + std::to_string(low) + " and " +
                              std::to_string(high) + "."};
  }
  return {static_cast<std::uint32_t>(value), {}};
}
