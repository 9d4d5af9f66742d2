#include "toolkit/PLExifData.h"

#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "toolkit/PLExifTagTable.h"
#include "toolkit/PLTextException.h"

namespace {

constexpr std::uint8_t kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
// The TIFF header follows the six bytes of the Exif header; offsets are counted from it.
constexpr std::uint32_t kMainBase = 6;
constexpr std::uint32_t kEntrySize = 12;
// No real value is larger; a larger count is a sign of garbage, not of a big value.
constexpr std::uint64_t kMaxValueSize = 0x10000;

[[noreturn]] void RaiseBadExif(const char* message) {
  throw PLTextException(PL_ERRBAD_EXIF, message);
}

bool IsOldNikonModel(const std::string& model) {
  for (const char* old : {"E700", "E800", "E900", "E900S", "E910", "E950"}) {
    if (model == old) return true;
  }
  return false;
}

}  // namespace

void PLExifData::ReadFromJpeg(jpeg_decompress_struct* decompressor) {
  Clear();
  const jpeg_marker_struct* exif = nullptr;
  for (const jpeg_marker_struct* marker = decompressor->marker_list; marker;
       marker = marker->next) {
    if (marker->marker == JPEG_APP0 + 1 && marker->data_length >= 5 &&
        std::memcmp(marker->data, "Exif", 5) == 0) {
      exif = marker;
    }
  }
  if (exif) ReadFromSegment(exif->data, exif->data_length);
}

void PLExifData::ReadFromSegment(const std::uint8_t* data, std::size_t length) {
  Clear();
  if (length < sizeof kExifHeader || std::memcmp(data, kExifHeader, sizeof kExifHeader) != 0) {
    return;
  }
  segment_ = std::make_shared<const std::vector<std::uint8_t>>(data, data + length);
  try {
    const std::uint8_t* order = Bytes(kMainBase, 2);
    bigEndian_ = order[0] == 'M' && order[1] == 'M';
    base_ = kMainBase;
    ReadDirectory(std::int64_t{base_} + Read32(base_ + 4), "Main.", PLExifTagTable::Main(), main_);
    if (const PLExifEntry* sub = FindEntry("Main.ExifOffset")) {
      ReadDirectory(std::int64_t{base_} + sub->RoundedValue(), "Sub.", PLExifTagTable::Sub(), sub_);
    }
    if (const PLExifEntry* gps = FindEntry("Main.GpsOffset")) {
      ReadDirectory(std::int64_t{base_} + gps->RoundedValue(), "Gps.", PLExifTagTable::Gps(), gps_);
    }
    if (const PLExifEntry* makerNote = FindEntry("Sub.Maker")) ReadMakerNote(*makerNote);
  } catch (const PLTextException&) {
    Clear();
    throw;
  }
}

void PLExifData::Clear() {
  segment_.reset();
  base_ = 0;
  bigEndian_ = false;
  all_.clear();
  main_.clear();
  sub_.clear();
  gps_.clear();
  maker_.clear();
  byKey_.clear();
}

const PLExifEntry* PLExifData::FindEntry(const std::string& key) const {
  const auto found = byKey_.find(PLExifEntry::KeyOf(key));
  return found == byKey_.end() ? nullptr : found->second.get();
}

double PLExifData::NumericValue(const std::string& key) const {
  const PLExifEntry* entry = FindEntry(key);
  return entry ? entry->NumericValue() : 0.0;
}

void PLExifData::ReadDirectory(std::int64_t position, const std::string& prefix,
                               const PLExifTagTable& table, EntryList& list) {
  const std::uint16_t count = Read16(position);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::int64_t at = position + 2 + std::int64_t{kEntrySize} * i;
    const std::uint16_t tag = Read16(at);
    const std::uint16_t format = Read16(at + 2);
    const std::uint32_t components = Read32(at + 4);
    if (tag == 0 || components == 0) continue;

    const int componentSize = PLExifEntry::ComponentSize(format);
    if (componentSize == 0) RaiseBadExif("EXIF Tag format field not understood");
    const std::uint64_t byteSize = std::uint64_t{components} * componentSize;
    if (components > kMaxValueSize || byteSize > kMaxValueSize) {
      RaiseBadExif("EXIF NoComp field not understood");
    }
    // Values of up to four bytes sit in the entry itself; larger ones elsewhere, by offset.
    const std::int64_t valueAt = byteSize > 4 ? std::int64_t{base_} + Read32(at + 8) : at + 8;
    const std::uint8_t* bytes = Bytes(valueAt, byteSize);

    auto entry = std::make_shared<PLExifEntry>(tag, format, components,
                                               static_cast<std::uint32_t>(valueAt - base_), prefix,
                                               table.Find(tag));
    entry->ReadValue(bytes, bigEndian_);
    all_.push_back(entry);
    list.push_back(entry);
    byKey_[entry->Key()] = entry;
  }
}

// Each maker lays out its note differently; the make (and for Nikon the model) tells which
// layout to expect. Offsets inside some notes count from the note, not from the TIFF header.
void PLExifData::ReadMakerNote(const PLExifEntry& makerNote) {
  const std::string make = PLExifEntry::KeyOf(ValueText("Main.Make"));
  const std::int64_t note = std::int64_t{base_} + makerNote.ValueOffset();
  if (make.find("nikon") != std::string::npos) {
    if (IsOldNikonModel(ValueText("Main.Model"))) {
      // "Nikon\0" and two more bytes, then a directory in the main data's terms.
      ReadDirectory(note + 8, "Nikon.", PLExifTagTable::Nikon(), maker_);
    } else {
      // "Nikon\0", a version, then a TIFF header of its own at byte 10 and its directory.
      base_ = static_cast<std::uint32_t>(note + 10);
      ReadDirectory(note + 18, "Nikon2.", PLExifTagTable::Nikon2(), maker_);
    }
  } else if (make.find("olympus") != std::string::npos) {
    ReadDirectory(note + 8, "Oly.", PLExifTagTable::Olympus(), maker_);
  } else if (make.find("canon") != std::string::npos) {
    ReadDirectory(note, "Canon.", PLExifTagTable::Canon(), maker_);
  } else if (make.find("fujifilm") != std::string::npos) {
    // "FUJIFILM" and a 32-bit offset; Fuji notes are little-endian and count from the note.
    bigEndian_ = false;
    base_ = static_cast<std::uint32_t>(note);
    ReadDirectory(note + 12, "Fuji.", PLExifTagTable::Fuji(), maker_);
  } else if (make.find("casio") != std::string::npos) {
    ReadDirectory(note, "Casio.", PLExifTagTable::Casio(), maker_);
  }
}

std::uint16_t PLExifData::Read16(std::int64_t position) const {
  return PLExifEntry::Read16(Bytes(position, 2), bigEndian_);
}

std::uint32_t PLExifData::Read32(std::int64_t position) const {
  return PLExifEntry::Read32(Bytes(position, 4), bigEndian_);
}

// Every read goes through here, so no offset in the data can reach outside the segment.
const std::uint8_t* PLExifData::Bytes(std::int64_t position, std::uint64_t size) const {
  const std::uint64_t length = segment_->size();
  if (position < 0 || static_cast<std::uint64_t>(position) > length ||
      size > length - static_cast<std::uint64_t>(position)) {
    RaiseBadExif("EXIF offset points outside the EXIF data");
  }
  return segment_->data() + position;
}

std::string PLExifData::ValueText(const std::string& key) const {
  const PLExifEntry* entry = FindEntry(key);
  return entry ? entry->ValueText() : std::string();
}
