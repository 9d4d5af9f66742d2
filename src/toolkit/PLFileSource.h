#pragma once

#include <string>

#include "toolkit/PLDataSource.h"

// A data source over a whole file mapped read-only into memory, so that a decoder reads the
// file's bytes where they lie, without copying them.
class PLFileSource : public PLDataSource {
 public:
  explicit PLFileSource(ProgressNotification* progress = nullptr) : PLDataSource(progress) {}
  ~PLFileSource() override { Close(); }

  // Returns 0, or the toolkit's error code: 3 when a folder of the path does not exist, 4 when
  // the file does not exist or cannot be opened for another reason, 5 when it may not be read
  // or cannot be mapped (an empty file, a folder, a pipe or a device).
  int Open(const std::string& path);
  void Close() override;

 private:
  void* view_ = nullptr;
  std::size_t viewSize_ = 0;
};
