#pragma once

class Archive;

// A record that can be written to and read from the record store's byte archive.
class Archivable {
 public:
  virtual ~Archivable() = default;

  virtual Archive& WriteArchive(Archive& archive) const = 0;
  virtual Archive& ReadArchive(Archive& archive) = 0;

 protected:
  Archivable() = default;
  Archivable(const Archivable&) = default;
  Archivable& operator=(const Archivable&) = default;
};
