#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Checks on text that is meant to be UTF-8, as spreadsheets write it when saving "CSV UTF-8".

// The text without the byte-order mark a file of UTF-8 may start with.
std::string_view WithoutUtf8ByteOrderMark(std::string_view text);

// The offset of the first byte that is not part of well-formed UTF-8, or npos. A zero byte counts
// as malformed, since no name or path holds one.
std::size_t FirstInvalidUtf8(std::string_view text);

// The length of the well-formed UTF-8 character that starts at offset (1 for an ASCII byte), or
// 0 when none does.
std::size_t Utf8CharacterLength(std::string_view text, std::size_t offset);

// Appends the code point to text in UTF-8; the caller gives a code point, not a surrogate.
void AppendUtf8(std::string& text, char32_t code);
