#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/FileStamp.h"

class ClassList;

// The class list last read, kept with the identity, size and modification time its file had, so
// that a redraw reads the list again only after the file was changed or replaced. The preview
// asks on every redraw; a list read anew is what a changed file gets, never a stale one.
class ClassListCache {
 public:
  static ClassListCache& Instance();

  // The list in the file, read now or kept from an earlier call for the same unchanged file.
  // Never empty: a list that could not be read says why. A file that cannot be examined is
  // not kept, so it is tried again next time.
  std::shared_ptr<const ClassList> Get(const std::string& path);
  // How many times a file was read, for tests.
  std::uint64_t Reads() const;

 private:
  mutable std::mutex lock_;
  std::string path_;
  FileStamp stamp_;
  std::shared_ptr<const ClassList> list_;
  std::uint64_t reads_ = 0;
};
