#pragma once

#include <cstdint>
#include <span>

// One row of a directory's table: the tag, the short name that ends the entry's key, and a
// description for people.
struct PLExifTag {
  std::uint16_t tag;
  const char* shortName;
  const char* description;
};

// The known tags of one kind of Exif directory. Tags missing from a table are still read; they
// are named by their number instead.
class PLExifTagTable {
 public:
  static const PLExifTagTable& Main();
  static const PLExifTagTable& Sub();
  static const PLExifTagTable& Gps();
  static const PLExifTagTable& Nikon();
  static const PLExifTagTable& Nikon2();
  static const PLExifTagTable& Olympus();
  static const PLExifTagTable& Canon();
  static const PLExifTagTable& Fuji();
  static const PLExifTagTable& Casio();

  // The row for the tag, or null.
  const PLExifTag* Find(std::uint16_t tag) const;

 private:
  explicit PLExifTagTable(std::span<const PLExifTag> rows) : rows_(rows) {}

  std::span<const PLExifTag> rows_;
};
