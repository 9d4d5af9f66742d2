#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "images/CacheEntry.h"
#include "images/DecodeTarget.h"
#include "images/ImageError.h"
#include "images/LoadRetryPolicy.h"

class ImageAdjustments;

// Decoded pictures by file path, so that redrawing the preview decodes each file once. Each
// entry keeps the picture handed out and an untouched decoded copy from which it is made again
// with other adjustments. Files that exist but cannot be decoded are retried (LoadRetryPolicy);
// when memory runs out the cache gives up idle entries and lowers its size before trying again.
// A picture refused for its size is neither retried nor a reason to give up entries.
//
// A request may say how large the picture must stay (DecodeTarget): the file is then decoded at
// the coarsest reduction that still serves it, and an entry decoded finer serves it as well. A
// drawing of many pictures first hands its requests to Prefetch, which decodes them on every
// core. Every other operation holds one recursive lock for its whole duration.
class ImageCache {
 public:
  using Picture = CacheEntry::Picture;

  // The process-wide cache, made on first use with 10 entries.
  static ImageCache& Instance();

  explicit ImageCache(LoadRetryPolicy policy = LoadRetryPolicy::Standard());
  ~ImageCache();
  ImageCache(const ImageCache&) = delete;
  ImageCache& operator=(const ImageCache&) = delete;

  // The picture of the file, decoded once and handed out again while its entry lasts. error is
  // written only when the file is loaded; an empty result means it could not be, and error says
  // why. With adjustments, a newly loaded picture gets all of them, a cached one only its
  // orientation; without, the picture is turned back to how it was decoded.
  Picture Get(const std::string& path, ImageError& error,
              const ImageAdjustments* adjustments = nullptr, const DecodeTarget& target = {});
  // The picture of the file made anew from the decoded copy with these adjustments. A path that
  // does not exist gives an empty result and leaves error as it was.
  Picture GetAdjusted(const std::string& path, ImageError& error,
                      const ImageAdjustments& adjustments, const DecodeTarget& target = {});

  // Pixels the cache lets Prefetch fill its entries with: a class of 30 photographs decoded for
  // a 10 x 8 inch sheet at 300 dpi takes about 45 MB, twice that with the decoded copies.
  static constexpr std::size_t kPrefetchBudgetBytes = std::size_t{512} << 20;
  // Decodes the files of the requests that no entry serves yet, in parallel on every core and
  // outside the lock, and keeps them in entries of their own, growing the cache as far as the
  // budget allows, so that the requests that follow decode nothing. When the budget is spent,
  // idle pictures that none of the requests asks for (those of the class shown before, say) are
  // given up first, longest unused first. A file that fails is left for the request that follows
  // to report. Returns the number of files decoded and kept.
  std::size_t Prefetch(const std::vector<PictureRequest>& requests);
  // The budget of Prefetch, kPrefetchBudgetBytes unless set.
  void SetPrefetchBudget(std::size_t bytes);

  // Starts over with fresh entries; pictures held elsewhere stay valid.
  void Clear();
  // Makes the number of entries count, dropping entries from the end whether used or not; with
  // setTarget also the number the cache keeps to.
  void Resize(std::uint32_t count, bool setTarget);
  // After running out of memory: keeps one entry fewer from now on and removes idle entries
  // that do not hold picture. True when something was removed.
  bool FreeSpace(const ZodarEdo::DeviceIndepBitmap& picture);

  void SetRetryPolicy(LoadRetryPolicy policy);
  // Whether entries keep a decoded copy, as they do unless told otherwise. A caller that asks
  // for each picture only once, as a command that draws one composite does, saves a copy of
  // every picture without them; GetAdjusted then reads the file again, as it does when there
  // was no memory for the copy.
  void SetKeepDecodedCopies(bool keep);

  // What the cache holds, in order, for diagnostics and tests.
  std::size_t EntryCount() const;
  std::uint32_t Target() const;
  std::uint32_t Cursor() const;
  std::vector<std::string> Paths() const;
  // Bytes of pixels held by the entries' pictures.
  std::size_t PixelBytes() const;

 private:
  Picture Find(const std::string& path, const ImageAdjustments* adjustments,
               const DecodeTarget& target);
  std::size_t FirstEntryFor(const std::string& path) const;
  // The entry that holds the file decoded finely enough for the target; an entry of the file
  // decoded too coarsely gives up the file, so that it is decoded anew.
  std::size_t EntryServing(const std::string& path, const DecodeTarget& target);
  void NoteDecoded(const Picture& working, bool fresh);
  void Keep(const std::string& path, const Picture& picture);
  std::size_t IndexOf(const Picture& working) const;
  std::size_t ChooseEntry();
  bool Fill(const Picture& working, const Picture& decoded, const std::string& path,
            ImageError& error, const ImageAdjustments* adjustments, const DecodeTarget& target);
  void LoadWithRetry(ZodarEdo::DeviceIndepBitmap& picture, const std::string& path,
                     ImageError& error, const DecodeTarget& target);
  void KeepDecodedCopy(const Picture& working, const Picture& decoded);
  ImageError Restore(const Picture& working, const Picture& decoded, const std::string& path,
                     const DecodeTarget& target);
  bool ApplyAdjustments(const Picture& working, const Picture& decoded, const std::string& path,
                        const ImageAdjustments* adjustments, const DecodeTarget& target);
  bool ApplyOrientation(ZodarEdo::DeviceIndepBitmap& picture, const ImageAdjustments* adjustments);
  void Trim();
  // Gives up idle entries whose file no request names until needed bytes are freed, starting at
  // the cursor; returns the bytes freed.
  std::size_t GiveUpIdle(const std::vector<PictureRequest>& requests, std::size_t needed);
  void KeepCursorInRange();

  std::vector<CacheEntry> entries_;
  std::uint32_t target_;
  std::uint32_t cursor_ = 0;
  mutable std::recursive_mutex lock_;
  LoadRetryPolicy policy_;
  bool keepDecodedCopies_ = true;
  std::size_t prefetchBudget_ = kPrefetchBudgetBytes;
};
