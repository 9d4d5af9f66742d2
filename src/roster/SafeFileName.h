#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest file name, in bytes, that every common file system takes.
constexpr std::size_t kMaxFileNameBytes = 255;

// A file name made of stem + suffix + extension that every file system takes, Windows' too (the
// lab's machine may be one): slashes, backslashes, control characters, bytes that are not UTF-8
// and the characters < > : " | ? * become "_"; a leading dot (a hidden file) becomes "_";
// spaces in front and dots and spaces at the end go; a stem Windows reserves for a device
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with or without an extension) gets a "_"
// after it; an empty stem becomes "Unnamed". The stem is cut, on a character's boundary, so
// that the whole name holds at most kMaxFileNameBytes bytes. The suffix and the extension
// (".jpg") are the caller's and kept as they are.
std::string SafeFileName(std::string_view stem, std::string_view extension,
                         std::string_view suffix = {});
