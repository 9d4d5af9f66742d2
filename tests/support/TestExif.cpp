#include "support/TestExif.h"

#include <utility>

namespace testsupport {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value, bool bigEndian) {
  const auto high = static_cast<std::uint8_t>(value >> 8);
  const auto low = static_cast<std::uint8_t>(value);
  out.push_back(bigEndian ? high : low);
  out.push_back(bigEndian ? low : high);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value, bool bigEndian) {
  Put16(out, static_cast<std::uint16_t>(bigEndian ? value >> 16 : value), bigEndian);
  Put16(out, static_cast<std::uint16_t>(bigEndian ? value : value >> 16), bigEndian);
}

// The byte-order mark, the number 42 and the offset of the first directory, which follows.
void PutTiffHeader(std::vector<std::uint8_t>& out, bool bigEndian) {
  Put16(out, bigEndian ? 0x4D4D : 0x4949, bigEndian);
  Put16(out, 42, bigEndian);
  Put32(out, 8, bigEndian);
}

std::vector<std::uint8_t> Little32(std::uint32_t value) {
  std::vector<std::uint8_t> bytes;
  Put32(bytes, value, false);
  return bytes;
}

// The size of the units that are byte-swapped in a big-endian file: rationals swap as two longs;
// bytes, texts, undefined bytes, floats and doubles are left alone.
int SwapUnit(std::uint16_t format) {
  switch (format) {
    case 3:
    case 8:
      return 2;
    case 4:
    case 5:
    case 9:
    case 10:
      return 4;
    default:
      return 1;
  }
}

std::vector<std::uint8_t> InOrder(std::vector<std::uint8_t> value, std::uint16_t format,
                                  bool bigEndian) {
  const std::size_t unit = SwapUnit(format);
  if (!bigEndian || unit == 1) return value;
  for (std::size_t i = 0; i + unit <= value.size(); i += unit) {
    for (std::size_t j = 0; j < unit / 2; ++j) std::swap(value[i + j], value[i + unit - 1 - j]);
  }
  return value;
}

ExifField MakerNote(std::function<std::vector<std::uint8_t>(std::uint32_t, bool)> make) {
  ExifField field;
  field.tag = 0x927C;
  field.format = 7;
  field.makeValue = std::move(make);
  return field;
}

std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> head,
                                 const std::vector<std::uint8_t>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

}  // namespace

ExifField ByteField(std::uint16_t tag, std::vector<std::uint8_t> bytes) {
  const auto count = static_cast<std::uint32_t>(bytes.size());
  return {tag, 1, count, std::move(bytes), {}, {}};
}

ExifField AsciiField(std::uint16_t tag, const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  const auto count = static_cast<std::uint32_t>(bytes.size());
  return {tag, 2, count, std::move(bytes), {}, {}};
}

ExifField ShortField(std::uint16_t tag, std::uint16_t value) {
  std::vector<std::uint8_t> bytes;
  Put16(bytes, value, false);
  return {tag, 3, 1, std::move(bytes), {}, {}};
}

ExifField LongField(std::uint16_t tag, std::uint32_t value) {
  return {tag, 4, 1, Little32(value), {}, {}};
}

ExifField RationalField(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator) {
  return {tag, 5, 1, Concat(Little32(numerator), Little32(denominator)), {}, {}};
}

ExifField SignedRationalField(std::uint16_t tag, std::int32_t numerator, std::int32_t denominator) {
  return {tag,
          10,
          1,
          Concat(Little32(static_cast<std::uint32_t>(numerator)),
                 Little32(static_cast<std::uint32_t>(denominator))),
          {},
          {}};
}

ExifField RawField(std::uint16_t tag, std::uint16_t format, std::uint32_t count,
                   std::vector<std::uint8_t> value) {
  return {tag, format, count, std::move(value), {}, {}};
}

std::vector<std::uint8_t> EncodeDirectory(const std::vector<ExifField>& fields, bool bigEndian,
                                          std::uint32_t at) {
  std::vector<std::uint8_t> entries;
  std::vector<std::uint8_t> data;
  const auto dataStart = static_cast<std::uint32_t>(at + 2 + 12 * fields.size() + 4);
  Put16(entries, static_cast<std::uint16_t>(fields.size()), bigEndian);
  for (const ExifField& field : fields) {
    std::vector<std::uint8_t> value;
    std::uint32_t count = field.count;
    if (field.makeValue) {
      // The value's size does not depend on where it lands, so one trial run finds its place.
      const auto own = static_cast<std::uint32_t>(dataStart + data.size());
      value = field.makeValue(own, bigEndian);
      count = static_cast<std::uint32_t>(value.size());
    } else {
      value = InOrder(field.value, field.format, bigEndian);
    }
    Put16(entries, field.tag, bigEndian);
    Put16(entries, field.format, bigEndian);
    Put32(entries, count, bigEndian);
    if (value.size() <= 4) {
      value.resize(4, 0);
      entries.insert(entries.end(), value.begin(), value.end());
    } else {
      Put32(entries,
            field.forcedOffset.value_or(dataStart + static_cast<std::uint32_t>(data.size())),
            bigEndian);
      if (!field.forcedOffset) data.insert(data.end(), value.begin(), value.end());
    }
  }
  Put32(entries, 0, bigEndian);
  return Concat(std::move(entries), data);
}

ExifField CanonMakerNote(std::vector<ExifField> fields) {
  return MakerNote([fields](std::uint32_t own, bool bigEndian) {
    return EncodeDirectory(fields, bigEndian, own);
  });
}

ExifField OlympusMakerNote(std::vector<ExifField> fields) {
  return MakerNote([fields](std::uint32_t own, bool bigEndian) {
    return Concat({'O', 'L', 'Y', 'M', 'P', 0, 1, 0}, EncodeDirectory(fields, bigEndian, own + 8));
  });
}

ExifField OldNikonMakerNote(std::vector<ExifField> fields) {
  return MakerNote([fields](std::uint32_t own, bool bigEndian) {
    return Concat({'N', 'i', 'k', 'o', 'n', 0, 1, 0}, EncodeDirectory(fields, bigEndian, own + 8));
  });
}

// The newer Nikon note carries a TIFF header of its own; its offsets count from that header.
ExifField NikonMakerNote(std::vector<ExifField> fields) {
  return MakerNote([fields](std::uint32_t, bool bigEndian) {
    std::vector<std::uint8_t> note = {'N', 'i', 'k', 'o', 'n', 0, 2, 0x10, 0, 0};
    PutTiffHeader(note, bigEndian);
    return Concat(std::move(note), EncodeDirectory(fields, bigEndian, 8));
  });
}

// Fuji notes are little-endian whatever the file's order, and their offsets count from the note.
ExifField FujiMakerNote(std::vector<ExifField> fields) {
  return MakerNote([fields](std::uint32_t, bool) {
    return Concat(Concat({'F', 'U', 'J', 'I', 'F', 'I', 'L', 'M'}, Little32(12)),
                  EncodeDirectory(fields, false, 12));
  });
}

ExifBuilder& ExifBuilder::Main(std::vector<ExifField> fields) {
  main_ = std::move(fields);
  return *this;
}

ExifBuilder& ExifBuilder::Sub(std::vector<ExifField> fields) {
  sub_ = std::move(fields);
  return *this;
}

ExifBuilder& ExifBuilder::Gps(std::vector<ExifField> fields) {
  gps_ = std::move(fields);
  return *this;
}

std::vector<std::uint8_t> ExifBuilder::Payload() const {
  constexpr std::uint32_t kMainAt = 8;  // right after the TIFF header
  std::vector<ExifField> main = main_;
  // The offsets are placeholders until the main directory's size is known; it does not change.
  if (sub_) main.push_back(LongField(0x8769, 0));
  if (gps_) main.push_back(LongField(0x8825, 0));
  const auto mainSize =
      static_cast<std::uint32_t>(EncodeDirectory(main, bigEndian_, kMainAt).size());
  const std::uint32_t subAt = kMainAt + mainSize;
  const std::uint32_t subSize =
      sub_ ? static_cast<std::uint32_t>(EncodeDirectory(*sub_, bigEndian_, subAt).size()) : 0;
  const std::uint32_t gpsAt = subAt + subSize;
  std::size_t next = main_.size();
  if (sub_) main[next++] = LongField(0x8769, subAt);
  if (gps_) main[next] = LongField(0x8825, gpsAt);

  std::vector<std::uint8_t> payload = {'E', 'x', 'i', 'f', 0, 0};
  PutTiffHeader(payload, bigEndian_);
  payload = Concat(std::move(payload), EncodeDirectory(main, bigEndian_, kMainAt));
  if (sub_) payload = Concat(std::move(payload), EncodeDirectory(*sub_, bigEndian_, subAt));
  if (gps_) payload = Concat(std::move(payload), EncodeDirectory(*gps_, bigEndian_, gpsAt));
  return payload;
}

}  // namespace testsupport
