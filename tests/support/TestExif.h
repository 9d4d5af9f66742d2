#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Writes Exif segments by hand, so that tests can make both well-formed data and exactly the
// malformed data they mean to feed the reader.
namespace testsupport {

// One directory entry. The value is given as little-endian components and written in the
// segment's byte order; count is written as given, whether or not it fits the value.
struct ExifField {
  std::uint16_t tag = 0;
  std::uint16_t format = 0;
  std::uint32_t count = 0;
  std::vector<std::uint8_t> value;
  // Written instead of the value's real offset when the value does not fit in the entry.
  std::optional<std::uint32_t> forcedOffset;
  // Makes the value from its own offset (relative to the TIFF header) and the byte order, for
  // maker notes whose directories point into themselves. Overrides value and count.
  std::function<std::vector<std::uint8_t>(std::uint32_t, bool)> makeValue;
};

ExifField ByteField(std::uint16_t tag, std::vector<std::uint8_t> bytes);
ExifField AsciiField(std::uint16_t tag, const std::string& text);
ExifField ShortField(std::uint16_t tag, std::uint16_t value);
ExifField LongField(std::uint16_t tag, std::uint32_t value);
ExifField RationalField(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator);
ExifField SignedRationalField(std::uint16_t tag, std::int32_t numerator, std::int32_t denominator);
ExifField RawField(std::uint16_t tag, std::uint16_t format, std::uint32_t count,
                   std::vector<std::uint8_t> value);

// A directory placed at offset at (relative to the TIFF header): the entry count, the entries,
// a zero link to the next directory, then the values longer than four bytes.
std::vector<std::uint8_t> EncodeDirectory(const std::vector<ExifField>& fields, bool bigEndian,
                                          std::uint32_t at);

// Maker notes (tag 0x927C) in the layouts of the makers the reader knows.
ExifField CanonMakerNote(std::vector<ExifField> fields);
ExifField OlympusMakerNote(std::vector<ExifField> fields);
ExifField OldNikonMakerNote(std::vector<ExifField> fields);
ExifField NikonMakerNote(std::vector<ExifField> fields);
ExifField FujiMakerNote(std::vector<ExifField> fields);

// The payload of an APP1 segment: "Exif", two zero bytes, a TIFF header and the directories.
// Sub and GPS directories get their offset entries in the main directory.
class ExifBuilder {
 public:
  explicit ExifBuilder(bool bigEndian) : bigEndian_(bigEndian) {}

  ExifBuilder& Main(std::vector<ExifField> fields);
  ExifBuilder& Sub(std::vector<ExifField> fields);
  ExifBuilder& Gps(std::vector<ExifField> fields);

  std::vector<std::uint8_t> Payload() const;

 private:
  bool bigEndian_;
  std::vector<ExifField> main_;
  std::optional<std::vector<ExifField>> sub_;
  std::optional<std::vector<ExifField>> gps_;
};

}  // namespace testsupport
