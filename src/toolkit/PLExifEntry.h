#pragma once

#include <cstdint>
#include <string>

struct PLExifTag;

// One field of an Exif directory: where it came from, its name, and its value as text and as a
// number. Entries are made by PLExifData while it reads a segment and are shared, read-only,
// between the copies of that data.
class PLExifEntry {
 public:
  // The TIFF field types, numbered as in the file.
  enum Format : std::uint16_t {
    Byte = 1,
    Ascii = 2,
    Short = 3,
    Long = 4,
    Rational = 5,
    SignedByte = 6,
    Undefined = 7,
    SignedShort = 8,
    SignedLong = 9,
    SignedRational = 10,
    Float = 11,
    Double = 12,
  };

  // The size of one component of a format in bytes, or 0 for a number that is not a format.
  static int ComponentSize(unsigned format);
  static std::uint16_t Read16(const std::uint8_t* bytes, bool bigEndian);
  static std::uint32_t Read32(const std::uint8_t* bytes, bool bigEndian);
  // Keys are names in lower case, so that look-ups ignore case.
  static std::string KeyOf(std::string name);

  // The name is the directory prefix followed by the table's short name, or by the tag in
  // lower-case hexadecimal when the table does not know it.
  PLExifEntry(std::uint16_t tag, std::uint16_t format, std::uint32_t count,
              std::uint32_t valueOffset, const std::string& prefix, const PLExifTag* row);

  // Reads the value from its bytes, which hold ByteSize() bytes in the file's byte order.
  void ReadValue(const std::uint8_t* bytes, bool bigEndian);

  std::uint16_t Tag() const { return tag_; }
  std::uint16_t Format() const { return format_; }
  std::uint32_t Count() const { return count_; }
  std::uint32_t ByteSize() const { return count_ * ComponentSize(format_); }
  // Offset of the value relative to the directory's base (the TIFF header).
  std::uint32_t ValueOffset() const { return valueOffset_; }
  const std::string& Name() const { return name_; }
  const std::string& Key() const { return key_; }
  // The table's description of the tag, empty when the table does not know it.
  const char* Description() const;
  const std::string& ValueText() const { return valueText_; }
  std::int32_t Numerator() const { return numerator_; }
  std::int32_t Denominator() const { return denominator_; }
  double NumericValue() const { return numericValue_; }
  std::int32_t RoundedValue() const { return roundedValue_; }

 private:
  void AppendComponent(const std::uint8_t* bytes, bool bigEndian);

  std::uint16_t tag_;
  std::uint16_t format_;
  std::uint32_t count_;
  std::uint32_t valueOffset_;
  std::string name_;
  std::string key_;
  std::string valueText_;
  std::int32_t numerator_ = 0;
  std::int32_t denominator_ = 1;
  double numericValue_ = 0.0;
  std::int32_t roundedValue_ = 0;
  const PLExifTag* row_;
};
