#include "roster/Utf8.h"

#include <cstdint>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string_view WithoutUtf8ByteOrderMark(std::string_view text) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  return text;
}

std::size_t Utf8CharacterLength(std::string_view text, std::size_t offset) {
  const auto c = static_cast<unsigned char>(text[offset]);
  if (c < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t low = 0;
  std::uint32_t code = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2, low = 0x80, code = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3, low = 0x800, code = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4, low = 0x10000, code = c & 0x07;
  } else {
    return 0;
  }
  if (offset + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[offset + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and code points past the last plane are not characters.
  if (code < low || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  return length;
}

std::size_t FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\0') return i;
    const std::size_t length = Utf8CharacterLength(text, i);
    if (length == 0) return i;
    i += length;
  }
  return std::string_view::npos;
}

void AppendUtf8(std::string& text, char32_t code) {
  const auto byte = [&text](std::uint32_t value) { text.push_back(static_cast<char>(value)); };
  if (code < 0x80) {
    byte(code);
  } else if (code < 0x800) {
    byte(0xC0 | (code >> 6));
    byte(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    byte(0xE0 | (code >> 12));
    byte(0x80 | ((code >> 6) & 0x3F));
    byte(0x80 | (code & 0x3F));
  } else {
    byte(0xF0 | (code >> 18));
    byte(0x80 | ((code >> 12) & 0x3F));
    byte(0x80 | ((code >> 6) & 0x3F));
    byte(0x80 | (code & 0x3F));
  }
}
