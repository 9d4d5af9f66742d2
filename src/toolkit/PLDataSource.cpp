#include "toolkit/PLDataSource.h"

#include "toolkit/PLTextException.h"
#include "toolkit/ProgressNotification.h"

namespace {
// The progress target hears of every kibibyte read, not of every byte.
constexpr std::size_t kProgressStep = 1024;
}  // namespace

void PLDataSource::Close() {
  if (!data_) return;
  if (progress_) progress_->OnProgress(1.0);
  name_.clear();
  data_ = nullptr;
  size_ = 0;
  position_ = 0;
}

const std::uint8_t* PLDataSource::Advance(std::size_t n) {
  if (n > size_ - position_) {
    throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
  }
  const std::uint8_t* current = CurrentPointer();
  const std::size_t before = position_;
  position_ += n;
  if (progress_ && position_ / kProgressStep != before / kProgressStep) {
    progress_->OnProgress(static_cast<double>(position_) / static_cast<double>(size_));
  }
  return current;
}

void PLDataSource::Begin(const std::string& name, const std::uint8_t* data, std::size_t size) {
  name_ = name;
  data_ = data;
  size_ = size;
  position_ = 0;
}
