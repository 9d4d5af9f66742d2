#pragma once

#include "toolkit/PLDataSource.h"

// A data source over a block of the caller's memory, which must outlive the source.
class PLMemSource : public PLDataSource {
 public:
  explicit PLMemSource(ProgressNotification* progress = nullptr) : PLDataSource(progress) {}
  ~PLMemSource() override { Close(); }

  // Always succeeds and returns 0; the source is named "Mem".
  int Open(const std::uint8_t* data, std::size_t size);
};
