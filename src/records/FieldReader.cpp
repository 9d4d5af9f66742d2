#include "records/FieldReader.h"

#include <algorithm>
#include <istream>
#include <utility>

#include "records/DatabaseRecord.h"
#include "records/LittleEndian.h"

namespace {

constexpr const char* kFaultyStream = "Attempt to read from faulty stream: ";
constexpr const char* kFaultyStringStream = "Attempt to read string from faulty stream: ";

}  // namespace

FieldReader::FieldReader(std::istream& stream, std::string recordDescription)
    : stream_(stream), description_(std::move(recordDescription)) {}

void FieldReader::Get(char* bytes, std::size_t count, const char* failure) {
  // A value cut short by the end of the stream is reported like a stream that had already
  // failed, so that a truncated stream never passes for a complete record.
  if (!stream_.good()) throw DatabaseRecord::DispatchReadError(failure + description_);
  stream_.read(bytes, static_cast<std::streamsize>(count));
  if (static_cast<std::size_t>(stream_.gcount()) != count) {
    throw DatabaseRecord::DispatchReadError(failure + description_);
  }
}

std::uint8_t FieldReader::ReadByte() {
  char byte = 0;
  Get(&byte, 1, kFaultyStream);
  return static_cast<std::uint8_t>(byte);
}

std::uint16_t FieldReader::ReadTag() {
  char bytes[2];
  Get(bytes, sizeof bytes, kFaultyStream);
  return FromLittleEndian<std::uint16_t>(bytes);
}

std::uint32_t FieldReader::ReadInt() {
  char bytes[4];
  Get(bytes, sizeof bytes, kFaultyStream);
  return FromLittleEndian<std::uint32_t>(bytes);
}

bool FieldReader::ReadFlag() { return ReadByte() != 0; }

std::string FieldReader::ReadText() {
  char lengthBytes[4];
  Get(lengthBytes, sizeof lengthBytes, kFaultyStringStream);
  std::uint32_t remaining = FromLittleEndian<std::uint32_t>(lengthBytes);
  // The text grows only as its bytes arrive, so a forged length costs no more memory than the
  // stream really holds.
  constexpr std::uint32_t kChunk = 64 * 1024;
  std::string text;
  while (remaining > 0) {
    const std::uint32_t count = std::min(remaining, kChunk);
    const std::size_t start = text.size();
    text.resize(start + count);
    Get(text.data() + start, count, kFaultyStringStream);
    remaining -= count;
  }
  return text;
}
