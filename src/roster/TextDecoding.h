#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text of a list file as UTF-8, and how it was read.
struct DecodedText {
  std::string Text;
  // The file was not UTF-8 and was read as Windows-1252; the report says so.
  bool Windows1252 = false;
  // Why the bytes are not text, with the offset of the byte that shows it; empty for text.
  std::string Refusal;
  std::size_t RefusedAt = 0;
};

// Reads the bytes of a portrait index as text. UTF-8, with or without a byte-order mark, is
// taken as it is; anything else is read as Windows-1252, which has a character for every byte.
// Bytes are refused as binary data when they hold a zero byte or any control character but TAB,
// LF and CR, which no list of names and files written by a program holds (one Ctrl-Z at the
// very end, the end-of-file mark of old DOS programs, is dropped). A file that starts with the
// byte-order mark of UTF-8 but is not UTF-8 is refused too: it says what it is and is damaged,
// and reading it as Windows-1252 would garble every name it holds.
DecodedText DecodeListText(std::string_view bytes);
