// What the image cache does when memory runs out while it copies or adjusts a picture. Memory is
// made to run out for real: each case runs in a child process whose address space may grow only
// a few megabytes beyond what it holds, so that a 4 MB picture copy cannot be had until the cache
// gives up an idle entry.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "images/ImageCache.h"
#include "support/ChildProcess.h"
#include "support/PictureFolder.h"

// Under AddressSanitizer a failed allocation must come back as null, as it does without it, and
// freed blocks must go back to the system at once rather than wait in quarantine.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:quarantine_size_mb=0";
}

namespace {

using testsupport::LiftMemoryLimit;
using testsupport::WithMemoryLimit;

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

// A failed check in the child is told to the parent by its number as the exit status.
#define CHILD_CHECK(number, condition) \
  if (!(condition)) return number

class ImageCacheMemoryTest : public testing::Test {
 protected:
  void SetUp() override {
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the thread sanitizer reserves memory in ways a limit cannot follow";
#endif
    cache_.Resize(5, true);
  }

  // A 1024 x 1024 picture: 4 MB at 32 bits per pixel, every pixel of the given level.
  std::string Picture(const std::string& name, std::uint8_t level) {
    return folder_.Blocks(name, 128, 128, std::vector<std::uint8_t>(128 * 128, level));
  }

  // Loads three pictures that nobody holds, into the first three of the five entries.
  void LoadIdlePictures() {
    for (int i = 0; i < 3; ++i) {
      ImageError error;
      ASSERT_TRUE(cache_.Get(Picture("idle" + std::to_string(i) + ".jpg", 50), error));
    }
  }

  PictureFolder folder_;
  ImageCache cache_{LoadRetryPolicy::SingleAttempt()};
};

ImageAdjustments Lighter() {
  ImageAdjustments adjustments;
  adjustments.Lightness = 20;
  return adjustments;
}

TEST_F(ImageCacheMemoryTest, AnAdjustmentWithoutMemoryIsRedoneOnceAnIdleEntryIsGivenUp) {
  LoadIdlePictures();
  const std::string sample = Picture("sample.jpg", 100);
  ImageError error;
  ASSERT_TRUE(cache_.GetAdjusted(sample, error, ImageAdjustments()));
  const int failed = WithMemoryLimit(2 * kMegabyte, [&] {
    ImageError ignored;
    const auto picture = cache_.GetAdjusted(sample, ignored, Lighter());
    CHILD_CHECK(1, picture && picture->HasPixels());
    // The lightness is applied exactly once, to the decoded picture.
    CHILD_CHECK(2, LevelAt(*picture, 0, 0) == 120);
    CHILD_CHECK(3, cache_.Target() == 4);
    CHILD_CHECK(4, cache_.EntryCount() == 4);
    return 0;
  });
  EXPECT_EQ(failed, 0);
}

TEST_F(ImageCacheMemoryTest, ADecodeWithoutMemoryIsTriedAgainOnceIdleEntriesAreGivenUp) {
  LoadIdlePictures();
  const std::string sample = Picture("sample.jpg", 100);
  // Not even room to decode the picture until the idle pictures are gone.
  const int failed = WithMemoryLimit(2 * kMegabyte, [&] {
    ImageError error;
    const auto picture = cache_.Get(sample, error);
    CHILD_CHECK(1, picture && picture->HasPixels());
    CHILD_CHECK(2, !error.Failed());
    CHILD_CHECK(3, cache_.Target() < 5);
    return 0;
  });
  EXPECT_EQ(failed, 0);
}

TEST_F(ImageCacheMemoryTest, ADecodedCopyWithoutMemoryIsMadeOnceAnIdleEntryIsGivenUp) {
  LoadIdlePictures();
  const std::string sample = Picture("sample.jpg", 100);
  // Room to decode the picture, not to copy it as well.
  const int failed = WithMemoryLimit(6 * kMegabyte, [&] {
    ImageError error;
    CHILD_CHECK(1, cache_.Get(sample, error));
    CHILD_CHECK(2, cache_.Target() == 4);
    // The decoded copy was kept: a new adjustment needs no file.
    std::filesystem::remove(sample);
    const auto adjusted = cache_.GetAdjusted(sample, error, Lighter());
    CHILD_CHECK(3, adjusted && adjusted->HasPixels());
    CHILD_CHECK(4, LevelAt(*adjusted, 0, 0) == 120);
    return 0;
  });
  EXPECT_EQ(failed, 0);
}

TEST_F(ImageCacheMemoryTest, WithoutRoomForADecodedCopyTheFileIsReadAgainWhenNeeded) {
  cache_.Resize(1, true);
  const std::string sample = Picture("sample.jpg", 100);
  const int failed = WithMemoryLimit(6 * kMegabyte, [&] {
    ImageError error;
    const auto loaded = cache_.Get(sample, error);
    CHILD_CHECK(1, loaded && loaded->HasPixels());
    CHILD_CHECK(2, LiftMemoryLimit());
    // Nothing could be freed, so no decoded copy was kept; the picture is made from the file.
    const auto adjusted = cache_.GetAdjusted(sample, error, Lighter());
    CHILD_CHECK(3, adjusted && adjusted->HasPixels());
    CHILD_CHECK(4, LevelAt(*adjusted, 0, 0) == 120);
    // With memory to spare the decoded copy is kept this time.
    std::filesystem::remove(sample);
    const auto again = cache_.GetAdjusted(sample, error, ImageAdjustments());
    CHILD_CHECK(5, again && LevelAt(*again, 0, 0) == 100);
    return 0;
  });
  EXPECT_EQ(failed, 0);
}

}  // namespace
