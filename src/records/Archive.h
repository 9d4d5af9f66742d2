#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A byte archive in the form the record store's framework archive gives its records: 32-bit
// little-endian integers, one-byte flags and length-prefixed 8-bit strings. An archive is either
// storing (it collects the bytes written) or loading (it reads given bytes from the start); the
// wrong direction and running out of bytes raise ArchiveException.
class Archive {
 public:
  // An archive for storing, initially empty.
  Archive();
  // An archive for loading the given bytes.
  explicit Archive(std::string bytes);

  bool IsLoading() const { return loading_; }
  bool IsStoring() const { return !loading_; }

  void WriteInt(std::int32_t value);
  void WriteUnsigned(std::uint32_t value);
  void WriteFlag(bool value);
  void WriteString(std::string_view text);

  std::int32_t ReadInt();
  std::uint32_t ReadUnsigned();
  bool ReadFlag();
  // Reads a string and cuts it at its first zero character, as the framework's strings end there.
  std::string ReadString();

  // The bytes written so far (storing) or the bytes being read (loading).
  const std::string& Bytes() const { return bytes_; }
  // The number of bytes a loading archive has not read yet.
  std::size_t Remaining() const { return bytes_.size() - position_; }

 private:
  void CheckStoring() const;
  const char* Take(std::size_t count);
  std::uint64_t ReadStringLength();

  std::string bytes_;
  std::size_t position_ = 0;
  bool loading_;
};
