#include "layout/ColourText.h"

#include <array>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

ColourRef ParseColour(std::string_view text) {
  std::array<unsigned, 3> fields{};
  std::size_t at = 0;
  for (unsigned& field : fields) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    int digits = 0;
    while (digits < 2 && at < text.size() && HexDigit(text[at]) >= 0) {
      field = field * 16 + static_cast<unsigned>(HexDigit(text[at]));
      ++at;
      ++digits;
    }
    if (digits == 0) break;
  }
  return MakeColourRef(fields[0], fields[1], fields[2]);
}

std::string ColourText(ColourRef colour) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned part : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
    text.push_back(kDigits[part >> 4]);
    text.push_back(kDigits[part & 0xF]);
  }
  return text;
}
