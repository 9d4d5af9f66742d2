#include "records/Archive.h"

#include <utility>

#include "records/ArchiveException.h"
#include "records/LittleEndian.h"

Archive::Archive() : loading_(false) {}

Archive::Archive(std::string bytes) : bytes_(std::move(bytes)), loading_(true) {}

void Archive::CheckStoring() const {
  if (loading_) throw ArchiveException(ArchiveException::Kind::ReadOnly);
}

void Archive::WriteInt(std::int32_t value) { WriteUnsigned(static_cast<std::uint32_t>(value)); }

void Archive::WriteUnsigned(std::uint32_t value) {
  CheckStoring();
  AppendLittleEndian(bytes_, value);
}

void Archive::WriteFlag(bool value) {
  CheckStoring();
  bytes_.push_back(value ? 1 : 0);
}

void Archive::WriteString(std::string_view text) {
  CheckStoring();
  // The length prefix grows in steps; each step's all-ones value says that a wider length
  // follows, which is why 0xFF, 0xFFFE and 0xFFFF are never written as lengths themselves.
  const std::uint64_t length = text.size();
  if (length < 0xFF) {
    AppendLittleEndian(bytes_, static_cast<std::uint8_t>(length));
  } else {
    AppendLittleEndian(bytes_, std::uint8_t{0xFF});
    if (length < 0xFFFE) {
      AppendLittleEndian(bytes_, static_cast<std::uint16_t>(length));
    } else {
      AppendLittleEndian(bytes_, std::uint16_t{0xFFFF});
      if (length < 0xFFFFFFFF) {
        AppendLittleEndian(bytes_, static_cast<std::uint32_t>(length));
      } else {
        AppendLittleEndian(bytes_, std::uint32_t{0xFFFFFFFF});
        AppendLittleEndian(bytes_, length);
      }
    }
  }
  bytes_.append(text);
}

const char* Archive::Take(std::size_t count) {
  if (!loading_) throw ArchiveException(ArchiveException::Kind::WriteOnly);
  if (count > Remaining()) throw ArchiveException(ArchiveException::Kind::EndOfFile);
  const char* start = bytes_.data() + position_;
  position_ += count;
  return start;
}

std::int32_t Archive::ReadInt() { return static_cast<std::int32_t>(ReadUnsigned()); }

std::uint32_t Archive::ReadUnsigned() { return FromLittleEndian<std::uint32_t>(Take(4)); }

bool Archive::ReadFlag() { return *Take(1) != 0; }

std::uint64_t Archive::ReadStringLength() {
  const auto shortLength = FromLittleEndian<std::uint8_t>(Take(1));
  if (shortLength != 0xFF) return shortLength;
  const auto wordLength = FromLittleEndian<std::uint16_t>(Take(2));
  if (wordLength != 0xFFFF) return wordLength;
  const auto longLength = FromLittleEndian<std::uint32_t>(Take(4));
  if (longLength != 0xFFFFFFFF) return longLength;
  return FromLittleEndian<std::uint64_t>(Take(8));
}

std::string Archive::ReadString() {
  // The length is checked against the bytes present before anything is allocated, so a forged
  // length cannot make the reader reserve more memory than the archive holds.
  const std::uint64_t length = ReadStringLength();
  if (length > Remaining()) throw ArchiveException(ArchiveException::Kind::EndOfFile);
  std::string_view text(Take(static_cast<std::size_t>(length)), static_cast<std::size_t>(length));
  return std::string(text.substr(0, text.find('\0')));
}
