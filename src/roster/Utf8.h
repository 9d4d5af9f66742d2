#pragma once

#include <cstddef>
#include <string_view>

// Checks on text that is meant to be UTF-8, as spreadsheets write it when saving "CSV UTF-8".

// The text without the byte-order mark a file of UTF-8 may start with.
std::string_view WithoutUtf8ByteOrderMark(std::string_view text);

// The offset of the first byte that is not part of well-formed UTF-8, or npos. A zero byte counts
// as malformed, since no name or path holds one.
std::size_t FirstInvalidUtf8(std::string_view text);
