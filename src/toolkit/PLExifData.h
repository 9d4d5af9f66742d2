#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/PLExifEntry.h"

struct jpeg_decompress_struct;
class PLExifTagTable;

// The Exif data of one JPEG file: the entries of its main, sub, GPS and maker-note directories,
// found by key ("main.ori"). Copies share the segment and the entries, which never change after
// reading. Malformed data raises PLTextException with code 14.
class PLExifData {
 public:
  using EntryPtr = std::shared_ptr<const PLExifEntry>;
  using EntryList = std::vector<EntryPtr>;

  PLExifData() = default;

  // Reads the last APP1 "Exif" marker that libjpeg saved while reading the header. Without one,
  // or with a segment that does not start as Exif data, the data stays empty.
  void ReadFromJpeg(jpeg_decompress_struct* decompressor);
  // Reads the bytes of an APP1 segment after its length field, starting with "Exif".
  void ReadFromSegment(const std::uint8_t* data, std::size_t length);
  void Clear();

  // The entry whose key is the text in lower case, or null.
  const PLExifEntry* FindEntry(const std::string& key) const;
  // The entry's numeric value, 0.0 when there is no such entry.
  double NumericValue(const std::string& key) const;

  std::size_t SegmentLength() const { return segment_ ? segment_->size() : 0; }
  bool IsBigEndian() const { return bigEndian_; }
  const EntryList& AllEntries() const { return all_; }
  const EntryList& MainEntries() const { return main_; }
  const EntryList& SubEntries() const { return sub_; }
  const EntryList& GpsEntries() const { return gps_; }
  const EntryList& MakerEntries() const { return maker_; }

 private:
  void ReadDirectory(std::int64_t position, const std::string& prefix, const PLExifTagTable& table,
                     EntryList& list);
  void ReadMakerNote(const PLExifEntry& makerNote);
  std::uint16_t Read16(std::int64_t position) const;
  std::uint32_t Read32(std::int64_t position) const;
  const std::uint8_t* Bytes(std::int64_t position, std::uint64_t size) const;
  std::string ValueText(const std::string& key) const;

  std::shared_ptr<const std::vector<std::uint8_t>> segment_;
  std::uint32_t base_ = 0;
  bool bigEndian_ = false;
  EntryList all_;
  EntryList main_;
  EntryList sub_;
  EntryList gps_;
  EntryList maker_;
  std::map<std::string, EntryPtr> byKey_;
};
