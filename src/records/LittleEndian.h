#pragma once

#include <cstdint>
#include <cstring>
#include <string>

// Both byte forms of the record store keep their numbers least significant byte first, whatever
// the machine's own order, so values are packed and unpacked byte by byte.
template <typename Unsigned>
void AppendLittleEndian(std::string& bytes, Unsigned value) {
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
    bytes.push_back(static_cast<char>(static_cast<unsigned char>(value >> (8 * i))));
  }
}

template <typename Unsigned>
Unsigned FromLittleEndian(const char* bytes) {
  Unsigned value = 0;
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
    value |= static_cast<Unsigned>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  return value;
}
