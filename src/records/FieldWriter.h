#pragma once

#include <cstdint>
#include <iosfwd>
#include <string_view>

// Writes a record's fields in the record store's tagged field stream: each field is its 16-bit
// tag followed by the value as raw little-endian bytes (a 32-bit integer, a one-byte flag, or a
// 32-bit length and that many characters).
class FieldWriter {
 public:
  explicit FieldWriter(std::ostream& stream) : stream_(stream) {}

  void WriteTag(std::uint16_t tag);
  void WriteInt(std::uint16_t tag, std::uint32_t value);
  void WriteFlag(std::uint16_t tag, bool value);
  void WriteText(std::uint16_t tag, std::string_view text);

 private:
  void Put(std::string_view bytes);

  std::ostream& stream_;
};
