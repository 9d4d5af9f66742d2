#include "images/ClassPicture.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <tuple>

#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "images/ImageCache.h"

namespace {

// A file as it was when it failed to decode: the same path with the same size and modification
// time is the same bad file.
using FileStamp = std::tuple<std::string, std::int64_t, std::int64_t>;

// The most failures remembered; a class is far smaller, and forgetting only costs a retry.
constexpr std::size_t kRememberedFailures = 1000;

bool StampOf(const std::string& path, FileStamp& stamp) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  stamp = {path, static_cast<std::int64_t>(info.st_size),
           static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
  return true;
}

// Files that exist but could not be decoded. The cache retries such a file for a while (it may
// still be being written), which the window would otherwise sit through for every picture of
// the class on every redraw; an unchanged file is not tried again.
class FailedFiles {
 public:
  bool Find(const FileStamp& stamp, ImageError& error) {
    std::lock_guard<std::mutex> lock(lock_);
    const auto found = failed_.find(stamp);
    if (found == failed_.end()) return false;
    error = found->second;
    return true;
  }
  void Remember(const FileStamp& stamp, const ImageError& error) {
    std::lock_guard<std::mutex> lock(lock_);
    if (failed_.size() >= kRememberedFailures) failed_.clear();
    failed_[stamp] = error;
  }

 private:
  std::mutex lock_;
  std::map<FileStamp, ImageError> failed_;
};

FailedFiles& Failures() {
  static FailedFiles failures;
  return failures;
}

}  // namespace

std::shared_ptr<ZodarEdo::DeviceIndepBitmap> LoadClassPicture(ImageCache& cache,
                                                              const std::string& path,
                                                              const ImageAdjustments& adjustments,
                                                              const DecodeTarget& target,
                                                              ImageError& error) {
  error = {};
  FileStamp stamp;
  const bool stamped = StampOf(path, stamp);
  if (stamped && Failures().Find(stamp, error)) return nullptr;
  const ImageCache::Picture picture = cache.Get(path, error, &adjustments, target);
  if (!picture || error.Failed()) {
    if (!error.Failed()) error = {"Unexpected Error", ImageError::ImageUnreadable, 0};
    if (stamped && error.Class != ImageError::ImageMissing) Failures().Remember(stamp, error);
    return nullptr;
  }
  // The cache's picture is handed out again to the next caller, so the cell cuts a copy.
  auto copy = std::make_shared<ZodarEdo::DeviceIndepBitmap>();
  if (!copy->Assign(*picture)) {
    error = copy->GetError();
    return nullptr;
  }
  return copy;
}

void PrefetchClassPictures(ImageCache& cache, std::vector<PictureRequest> requests) {
  std::erase_if(requests, [](const PictureRequest& request) {
    FileStamp stamp;
    ImageError error;
    return StampOf(request.Path, stamp) && Failures().Find(stamp, error);
  });
  cache.Prefetch(requests);
}
