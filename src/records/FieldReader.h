#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

// Reads the values of the record store's tagged field stream (see FieldWriter) for one record.
// A read from a stream that has failed, or that fails because the stream ends inside a value,
// raises DatabaseRecord::DispatchReadError naming the record.
class FieldReader {
 public:
  FieldReader(std::istream& stream, std::string recordDescription);

  std::uint8_t ReadByte();
  std::uint16_t ReadTag();
  std::uint32_t ReadInt();
  bool ReadFlag();
  std::string ReadText();

 private:
  void Get(char* bytes, std::size_t count, const char* failure);

  std::istream& stream_;
  std::string description_;
};
