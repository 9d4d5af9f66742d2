#include "images/ClassPicture.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "images/ImageCache.h"
#include "platform/FileStamp.h"

namespace {

// The most failures remembered; a class is far smaller, and forgetting only costs a retry.
constexpr std::size_t kRememberedFailures = 1000;

// A file as it was when it failed to decode: the same path to the same unchanged file is the
// same bad file.
using FailedFile = std::pair<std::string, FileStamp>;

std::optional<FailedFile> FailedFileOf(const std::string& path) {
  const std::optional<FileStamp> stamp = StampOf(path);
  if (!stamp) return std::nullopt;
  return FailedFile{path, *stamp};
}

// Files that exist but could not be decoded. The cache retries such a file for a while (it may
// still be being written), which the window would otherwise sit through for every picture of
// the class on every redraw; an unchanged file is not tried again.
class FailedFiles {
 public:
  bool Find(const FailedFile& file, ImageError& error) {
    std::lock_guard<std::mutex> lock(lock_);
    const auto found = failed_.find(file);
    if (found == failed_.end()) return false;
    error = found->second;
    return true;
  }
  void Remember(const FailedFile& file, const ImageError& error) {
    std::lock_guard<std::mutex> lock(lock_);
    if (failed_.size() >= kRememberedFailures) failed_.clear();
    failed_[file] = error;
  }

 private:
  std::mutex lock_;
  std::map<FailedFile, ImageError> failed_;
};

FailedFiles& Failures() {
  static FailedFiles failures;
  return failures;
}

}  // namespace

std::shared_ptr<ZodarEdo::DeviceIndepBitmap> LoadClassPicture(
    ImageCache& cache, const std::string& path, const ImageAdjustments& adjustments,
    const DecodeTarget& target, ImageError& error, const CellCut& cut) {
  error = {};
  const std::optional<FailedFile> stamp = FailedFileOf(path);
  if (stamp && Failures().Find(*stamp, error)) return nullptr;
  const ImageCache::Picture picture = cache.Get(path, error, &adjustments, target);
  if (!picture || error.Failed()) {
    if (!error.Failed()) error = {"Unexpected Error", ImageError::ImageUnreadable, 0};
    if (stamp && error.Class != ImageError::ImageMissing) Failures().Remember(*stamp, error);
    return nullptr;
  }
  // The cache's picture is handed out again to the next caller, so the cell has a copy. A cut
  // that fails leaves the copy whole, and the cell still shows the picture.
  auto copy = std::make_shared<ZodarEdo::DeviceIndepBitmap>();
  const std::optional<ZodarEdo::CropBox> box = cut ? cut(*picture) : std::nullopt;
  if (!(box && copy->AssignCut(*picture, *box)) && !copy->Assign(*picture)) {
    error = copy->GetError();
    return nullptr;
  }
  return copy;
}

void PrefetchClassPictures(ImageCache& cache, std::vector<PictureRequest> requests) {
  std::erase_if(requests, [](const PictureRequest& request) {
    const std::optional<FailedFile> stamp = FailedFileOf(request.Path);
    ImageError error;
    return stamp && Failures().Find(*stamp, error);
  });
  cache.Prefetch(requests);
}
