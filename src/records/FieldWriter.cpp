#include "records/FieldWriter.h"

#include <algorithm>
#include <limits>
#include <ostream>
#include <string>

#include "records/LittleEndian.h"

void FieldWriter::Put(std::string_view bytes) {
  stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void FieldWriter::WriteTag(std::uint16_t tag) {
  std::string bytes;
  AppendLittleEndian(bytes, tag);
  Put(bytes);
}

void FieldWriter::WriteInt(std::uint16_t tag, std::uint32_t value) {
  std::string bytes;
  AppendLittleEndian(bytes, tag);
  AppendLittleEndian(bytes, value);
  Put(bytes);
}

void FieldWriter::WriteFlag(std::uint16_t tag, bool value) {
  std::string bytes;
  AppendLittleEndian(bytes, tag);
  bytes.push_back(value ? 1 : 0);
  Put(bytes);
}

void FieldWriter::WriteText(std::uint16_t tag, std::string_view text) {
  // The length field has 32 bits; a longer text is cut so that the stream stays readable.
  text =
      text.substr(0, std::min<std::size_t>(text.size(), std::numeric_limits<std::uint32_t>::max()));
  std::string bytes;
  AppendLittleEndian(bytes, tag);
  AppendLittleEndian(bytes, static_cast<std::uint32_t>(text.size()));
  Put(bytes);
  Put(text);
}
