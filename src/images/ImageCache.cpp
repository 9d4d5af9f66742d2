#include "images/ImageCache.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <utility>

#include "images/ImageAdjustments.h"
#include "platform/EveryCore.h"
#include "platform/FileStamp.h"
#include "toolkit/PLExifData.h"
#include "toolkit/PLJPEGDecoder.h"
#include "toolkit/PLTextException.h"

namespace {

using ZodarEdo::DeviceIndepBitmap;
using Lock = std::lock_guard<std::recursive_mutex>;

constexpr std::uint32_t kInitialEntries = 10;
constexpr std::size_t kNotFound = std::numeric_limits<std::size_t>::max();

bool OutOfMemory(const ImageError& error) { return error.Code == PL_ERRNO_MEMORY; }

// Turns the picture as the adjustments want it: by their quarter turns, or by the orientation
// the camera wrote into the file (3 upside down, 6 turned right, 8 turned left).
bool Orient(DeviceIndepBitmap& picture, const ImageAdjustments& adjustments) {
  if (!adjustments.UseExifOrientation) return picture.SetRotation(adjustments.QuarterTurns);
  const PLExifData* exif = picture.ExifData();
  const double orientation = exif != nullptr ? std::trunc(exif->NumericValue("main.ori")) : 0;
  if (orientation == 3) return picture.SetRotation(2);
  if (orientation == 6) return picture.SetRotation(1);
  if (orientation == 8) return picture.SetRotation(3);
  return true;
}

// The adjustments after the orientation, stopping at the first that fails.
bool AdjustColours(DeviceIndepBitmap& picture, const ImageAdjustments& adjustments) {
  return picture.AdjustColour(adjustments.Red, adjustments.Green, adjustments.Blue,
                              adjustments.BalancedColour) &&
         picture.AdjustHsb(adjustments.Hue, adjustments.Saturation, adjustments.Brightness) &&
         picture.AdjustContrast(adjustments.Contrast) &&
         picture.AdjustLightness(adjustments.Lightness, true);
}

std::size_t BytesOf(const DeviceIndepBitmap& picture) {
  if (!picture.HasPixels()) return 0;
  const ZodarEdo::PictureSize size = picture.GetSize();
  return static_cast<std::size_t>(size.Width) * static_cast<std::size_t>(size.Height) *
         static_cast<std::size_t>(picture.BitsPerPixel() / 8);
}

// Decodes the files on every core. A file that cannot be decoded gives no picture, and so does
// one for which a decoder cannot be made or memory runs out: that is left for the request that
// follows to meet and report, and must not end the program from a thread.
std::vector<ImageCache::Picture> DecodeInParallel(const std::vector<PictureRequest>& requests) {
  std::vector<ImageCache::Picture> pictures(requests.size());
  ForEachOnEveryCore(requests.size(), [&](std::size_t i) {
    try {
      PLJPEGDecoder decoder;
      auto picture = std::make_shared<DeviceIndepBitmap>();
      if (!picture->LoadJpegFile(requests[i].Path, decoder, requests[i].Target).Failed()) {
        pictures[i] = std::move(picture);
      }
    } catch (const PLTextException&) {
    } catch (const std::bad_alloc&) {
    }
  });
  return pictures;
}

// A policy without a clock or a wait of its own uses the steady clock and a real wait.
LoadRetryPolicy Completed(LoadRetryPolicy policy) {
  const LoadRetryPolicy standard = LoadRetryPolicy::Standard();
  if (!policy.NowMilliseconds) policy.NowMilliseconds = standard.NowMilliseconds;
  if (!policy.SleepMilliseconds) policy.SleepMilliseconds = standard.SleepMilliseconds;
  return policy;
}

}  // namespace

ImageCache& ImageCache::Instance() {
  static ImageCache cache;
  return cache;
}

ImageCache::ImageCache(LoadRetryPolicy policy)
    : entries_(kInitialEntries), target_(kInitialEntries), policy_(Completed(std::move(policy))) {}

ImageCache::~ImageCache() = default;

ImageCache::Picture ImageCache::Get(const std::string& path, ImageError& error,
                                    const ImageAdjustments* adjustments,
                                    const DecodeTarget& target) {
  // A request without a file (a background picture never chosen, drawn on every redraw) finds
  // nothing, and must not take the entry of a picture the cache holds for the next drawing.
  if (path.empty()) {
    error = ImageError::FromToolkit(PLTextException(PL_ERRFILE_NOT_FOUND, "No file was given"));
    return nullptr;
  }
  Lock lock(lock_);
  Picture result = Find(path, adjustments, target);
  if (!result) {
    const std::size_t chosen = ChooseEntry();
    const Picture working = entries_[chosen].Working;
    const Picture decoded = entries_[chosen].Decoded;
    const bool filled = Fill(working, decoded, path, error, adjustments, target);
    // Running out of memory may have removed entries before this one, though never this one,
    // which the two pictures held here keep in use.
    const std::size_t at = IndexOf(working);
    NoteDecoded(working, false);
    if (filled) {
      entries_[at].Path = path;
      result = working;
      cursor_ = static_cast<std::uint32_t>((at + 1) % entries_.size());
    } else {
      entries_[at].Path.clear();
    }
  }
  Trim();
  return result;
}

ImageCache::Picture ImageCache::GetAdjusted(const std::string& path, ImageError& error,
                                            const ImageAdjustments& adjustments,
                                            const DecodeTarget& target) {
  Lock lock(lock_);
  const std::size_t at = EntryServing(path, target);
  if (at == kNotFound) return PathExists(path) ? Get(path, error, &adjustments, target) : nullptr;
  const Picture working = entries_[at].Working;
  const Picture decoded = entries_[at].Decoded;
  if (entries_[at].Fresh) {
    // Nobody has had the picture since it was decoded: it is the decoded picture already.
    entries_[at].Fresh = false;
  } else {
    // Holders may have changed the working picture, so it is made anew from the decoded copy
    // rather than adjusted again.
    const ImageError restored = Restore(working, decoded, path, target);
    NoteDecoded(working, false);
    if (restored.Failed()) {
      error = restored;
      entries_[IndexOf(working)].Path.clear();
      return nullptr;
    }
  }
  ApplyAdjustments(working, decoded, path, &adjustments, target);
  return working;
}

std::size_t ImageCache::Prefetch(const std::vector<PictureRequest>& requests) {
  std::vector<PictureRequest> misses;
  {
    Lock lock(lock_);
    for (const PictureRequest& request : requests) {
      const bool listed = std::any_of(misses.begin(), misses.end(), [&](const PictureRequest& r) {
        return r.Path == request.Path;
      });
      if (request.Path.empty() || listed) continue;
      if (EntryServing(request.Path, request.Target) == kNotFound) misses.push_back(request);
    }
  }
  if (misses.empty()) return 0;
  const std::vector<Picture> pictures = DecodeInParallel(misses);

  Lock lock(lock_);
  std::size_t bytes = PixelBytes();
  std::size_t kept = 0;
  for (std::size_t i = 0; i < misses.size(); ++i) {
    // Another caller may have loaded the file while the lock was free.
    if (!pictures[i] || EntryServing(misses[i].Path, misses[i].Target) != kNotFound) continue;
    const std::size_t size = BytesOf(*pictures[i]) * (keepDecodedCopies_ ? 2 : 1);
    if (bytes + size > prefetchBudget_)
      bytes -= GiveUpIdle(requests, bytes + size - prefetchBudget_);
    if (bytes + size > prefetchBudget_) continue;
    bytes += size;
    Keep(misses[i].Path, pictures[i]);
    ++kept;
  }
  return kept;
}

void ImageCache::SetPrefetchBudget(std::size_t bytes) {
  Lock lock(lock_);
  prefetchBudget_ = bytes;
}

std::size_t ImageCache::GiveUpIdle(const std::vector<PictureRequest>& requests,
                                   std::size_t needed) {
  std::size_t freed = 0;
  for (std::size_t tried = 0; tried < entries_.size() && freed < needed; ++tried) {
    CacheEntry& entry = entries_[(cursor_ + tried) % entries_.size()];
    if (entry.Path.empty() || !entry.Idle()) continue;
    const bool asked = std::any_of(requests.begin(), requests.end(),
                                   [&](const PictureRequest& r) { return r.Path == entry.Path; });
    if (asked) continue;
    freed += BytesOf(*entry.Working) + BytesOf(*entry.Decoded);
    entry = CacheEntry();
  }
  return freed;
}

void ImageCache::Keep(const std::string& path, const Picture& picture) {
  // An entry without a file is used first, then the cache grows: the pictures of one drawing
  // must not push each other, or the other pictures of the drawing, out of the cache.
  const auto empty = std::find_if(entries_.begin(), entries_.end(), [](const CacheEntry& entry) {
    return entry.Path.empty() && entry.Idle();
  });
  const auto at = static_cast<std::size_t>(empty - entries_.begin());
  if (empty == entries_.end()) entries_.emplace_back();
  target_ = std::max(target_, static_cast<std::uint32_t>(entries_.size()));
  CacheEntry& entry = entries_[at];
  entry.Working = picture;
  entry.Path = path;
  KeepDecodedCopy(entry.Working, entry.Decoded);
  NoteDecoded(entry.Working, true);
}

void ImageCache::NoteDecoded(const Picture& working, bool fresh) {
  CacheEntry& entry = entries_[IndexOf(working)];
  entry.Reduction = working->HasPixels() ? working->Reduction() : 0;
  entry.Declared = working->DeclaredSize();
  entry.Fresh = fresh && working->HasPixels();
}

void ImageCache::Clear() {
  Lock lock(lock_);
  entries_.clear();
  entries_.resize(target_);
  cursor_ = 0;
}

void ImageCache::Resize(std::uint32_t count, bool setTarget) {
  Lock lock(lock_);
  // The cache always keeps room for at least one picture.
  if (setTarget) target_ = std::max<std::uint32_t>(count, 1);
  if (count < entries_.size()) {
    entries_.erase(entries_.begin() + count, entries_.end());
    entries_.shrink_to_fit();
  } else {
    entries_.resize(count);
  }
  KeepCursorInRange();
}

bool ImageCache::FreeSpace(const DeviceIndepBitmap& picture) {
  Lock lock(lock_);
  if (target_ <= 1) return false;
  --target_;
  bool removed = false;
  for (std::size_t i = 0; i < entries_.size() && entries_.size() > target_;) {
    const CacheEntry& entry = entries_[i];
    if (entry.Idle() && entry.Working.get() != &picture && entry.Decoded.get() != &picture) {
      entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
      removed = true;
    } else {
      ++i;
    }
  }
  KeepCursorInRange();
  return removed;
}

void ImageCache::SetRetryPolicy(LoadRetryPolicy policy) {
  Lock lock(lock_);
  policy_ = Completed(std::move(policy));
}

void ImageCache::SetKeepDecodedCopies(bool keep) {
  Lock lock(lock_);
  keepDecodedCopies_ = keep;
}

std::size_t ImageCache::EntryCount() const {
  Lock lock(lock_);
  return entries_.size();
}

std::uint32_t ImageCache::Target() const {
  Lock lock(lock_);
  return target_;
}

std::uint32_t ImageCache::Cursor() const {
  Lock lock(lock_);
  return cursor_;
}

std::size_t ImageCache::PixelBytes() const {
  Lock lock(lock_);
  std::size_t bytes = 0;
  for (const CacheEntry& entry : entries_)
    bytes += BytesOf(*entry.Working) + BytesOf(*entry.Decoded);
  return bytes;
}

std::vector<std::string> ImageCache::Paths() const {
  Lock lock(lock_);
  std::vector<std::string> paths;
  for (const CacheEntry& entry : entries_) paths.push_back(entry.Path);
  return paths;
}

ImageCache::Picture ImageCache::Find(const std::string& path, const ImageAdjustments* adjustments,
                                     const DecodeTarget& target) {
  std::size_t at = EntryServing(path, target);
  if (at == kNotFound) return nullptr;
  // The entry just used moves to the cursor, so that it is the last one reuse reaches.
  if (at != cursor_) {
    std::swap(entries_[at], entries_[cursor_]);
    at = cursor_;
    cursor_ = static_cast<std::uint32_t>((cursor_ + 1) % entries_.size());
  }
  Picture working = entries_[at].Working;
  entries_[at].Fresh = false;
  ApplyOrientation(*working, adjustments);
  return working;
}

std::size_t ImageCache::FirstEntryFor(const std::string& path) const {
  // An entry without a path holds no file, so an empty path never finds one.
  if (path.empty()) return kNotFound;
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const CacheEntry& entry) { return entry.Path == path; });
  return found != entries_.end() ? static_cast<std::size_t>(found - entries_.begin()) : kNotFound;
}

std::size_t ImageCache::EntryServing(const std::string& path, const DecodeTarget& target) {
  const std::size_t at = FirstEntryFor(path);
  if (at == kNotFound) return kNotFound;
  CacheEntry& entry = entries_[at];
  if (entry.Reduction <= target.ReductionFor(entry.Declared.Width, entry.Declared.Height)) {
    return at;
  }
  entry.Path.clear();
  return kNotFound;
}

std::size_t ImageCache::IndexOf(const Picture& working) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const CacheEntry& entry) {
    return entry.Working == working;
  });
  return static_cast<std::size_t>(found - entries_.begin());
}

std::size_t ImageCache::ChooseEntry() {
  const std::size_t count = entries_.size();
  for (std::size_t tried = 0; tried < count; ++tried) {
    if (entries_[cursor_].Idle()) return cursor_;
    cursor_ = static_cast<std::uint32_t>((cursor_ + 1) % count);
  }
  // Every entry is held by a caller: grow by half, and by one at least, since half of one
  // entry would be nothing.
  cursor_ = static_cast<std::uint32_t>(count);
  Resize(static_cast<std::uint32_t>(std::max(count + count / 2, count + 1)), false);
  return cursor_;
}

bool ImageCache::Fill(const Picture& working, const Picture& decoded, const std::string& path,
                      ImageError& error, const ImageAdjustments* adjustments,
                      const DecodeTarget& target) {
  LoadWithRetry(*working, path, error, target);
  if (error.Failed()) {
    // The entry holds no file now; whatever an earlier file left in it is of no more use.
    working->Release();
    decoded->Release();
    return false;
  }
  KeepDecodedCopy(working, decoded);
  ApplyAdjustments(working, decoded, path, adjustments, target);
  return true;
}

void ImageCache::LoadWithRetry(DeviceIndepBitmap& picture, const std::string& path,
                               ImageError& error, const DecodeTarget& target) {
  PLJPEGDecoder decoder;
  for (;;) {
    const std::int64_t start = policy_.NowMilliseconds();
    error = picture.LoadJpegFile(path, decoder, target);
    while (error.Class == ImageError::ImageUnreadable && !OutOfMemory(error) &&
           policy_.NowMilliseconds() - start < policy_.WindowMilliseconds) {
      policy_.SleepMilliseconds(policy_.IntervalMilliseconds);
      error = picture.LoadJpegFile(path, decoder, target);
    }
    if (!OutOfMemory(error)) break;
    const bool freed = FreeSpace(picture);
    picture.Release();
    if (!freed) break;
  }
  // Failed attempts before a successful one are of no interest to the picture's holders.
  if (!error.Failed()) picture.ClearError();
}

void ImageCache::KeepDecodedCopy(const Picture& working, const Picture& decoded) {
  if (!keepDecodedCopies_) {
    // An earlier file's copy must not stand in for this one's.
    decoded->Release();
    return;
  }
  while (!decoded->Assign(*working)) {
    const bool outOfMemory = OutOfMemory(decoded->GetError());
    decoded->Release();
    // Without room for the copy the entry goes on without one; Restore then reloads the file.
    if (!outOfMemory || !FreeSpace(*working)) return;
  }
}

ImageError ImageCache::Restore(const Picture& working, const Picture& decoded,
                               const std::string& path, const DecodeTarget& target) {
  while (decoded->HasPixels()) {
    if (working->Assign(*decoded)) return {};
    const ImageError failure = working->GetError();
    working->ClearError();
    if (!OutOfMemory(failure) || !FreeSpace(*working)) return failure;
  }
  // The decoded copy could not be kept when the file was loaded: load it again, which also
  // gives the copy another chance.
  ImageError error;
  LoadWithRetry(*working, path, error, target);
  if (!error.Failed()) KeepDecodedCopy(working, decoded);
  return error;
}

bool ImageCache::ApplyAdjustments(const Picture& working, const Picture& decoded,
                                  const std::string& path, const ImageAdjustments* adjustments,
                                  const DecodeTarget& target) {
  if (adjustments == nullptr) return true;
  for (;;) {
    if (ApplyOrientation(*working, adjustments) && AdjustColours(*working, *adjustments)) {
      return true;
    }
    if (!OutOfMemory(working->GetError())) return false;
    working->ClearError();
    if (!FreeSpace(*working)) return false;
    // The steps that succeeded before the failure must not be applied twice, so the adjustments
    // start again from the decoded picture.
    if (Restore(working, decoded, path, target).Failed()) return false;
  }
}

bool ImageCache::ApplyOrientation(DeviceIndepBitmap& picture, const ImageAdjustments* adjustments) {
  for (;;) {
    // A turn that fails leaves the picture and its rotation as they were, so it can simply be
    // tried again once memory has been freed.
    if (adjustments != nullptr ? Orient(picture, *adjustments) : picture.SetRotation(0)) {
      return true;
    }
    if (!OutOfMemory(picture.GetError())) return false;
    picture.ClearError();
    if (!FreeSpace(picture)) return false;
  }
}

void ImageCache::Trim() {
  for (std::size_t i = 0; i < entries_.size() && entries_.size() > target_;) {
    if (entries_[i].Idle()) {
      entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  KeepCursorInRange();
}

void ImageCache::KeepCursorInRange() {
  if (cursor_ >= entries_.size()) cursor_ = 0;
}
