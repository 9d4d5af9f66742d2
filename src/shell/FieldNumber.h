#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The result of reading the text of a numeric field: the value when the text is a whole number
// within the field's range, otherwise the message that tells the user what to enter.
struct FieldNumber {
  std::optional<std::uint32_t> Value;
  std::string Message;
};

// Reads an unsigned decimal number surrounded by optional spaces or tabs, leading zeros allowed.
// Text that is no number gives "Enter a positive integer."; a negative number, or one beyond 32
// bits, is out of range like any other and gives "Enter an integer between LOW and HIGH."
FieldNumber ReadFieldNumber(std::string_view text, std::uint32_t low, std::uint32_t high);
