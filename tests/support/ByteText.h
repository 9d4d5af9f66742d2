#pragma once

#include <initializer_list>
#include <string>

// Bytes written as numbers, as a string of those bytes.
inline std::string ByteText(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}
