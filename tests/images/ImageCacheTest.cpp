#include "images/ImageCache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "support/FakeClock.h"
#include "support/PictureFolder.h"
#include "support/TestExif.h"
#include "support/TestJpeg.h"

namespace {

using ZodarEdo::DeviceIndepBitmap;
using ZodarEdo::PictureSize;
using Paths = std::vector<std::string>;

// The error a call leaves untouched.
const ImageError kUntouched{"untouched", 99, 99};

class ImageCacheTest : public testing::Test {
 protected:
  ImageCacheTest() : cache_(clock_.Policy()) {}

  ImageCache::Picture Get(const std::string& path, const ImageAdjustments* adjustments = nullptr) {
    ImageError error;
    auto picture = cache_.Get(path, error, adjustments);
    EXPECT_EQ(error, ImageError{}) << path;
    return picture;
  }

  // Loads five pictures into a cache of five entries, in order, and returns their paths; the
  // pictures are kept in held when it is given.
  Paths FillFive(std::vector<ImageCache::Picture>* held = nullptr) {
    cache_.Resize(5, true);
    Paths paths;
    for (int i = 1; i <= 5; ++i) {
      paths.push_back(folder_.Photo("p" + std::to_string(i) + ".jpg", 16, 8));
      auto picture = Get(paths.back());
      if (held != nullptr) held->push_back(picture);
    }
    return paths;
  }

  std::string Grey(const std::string& name, std::uint8_t level) {
    return folder_.Blocks(name, 2, 1, {level, level});
  }

  PictureFolder folder_;
  FakeClock clock_;
  ImageCache cache_;
};

TEST_F(ImageCacheTest, StartsWithTenFreshEntries) {
  EXPECT_EQ(cache_.EntryCount(), 10u);
  EXPECT_EQ(cache_.Target(), 10u);
  EXPECT_EQ(cache_.Paths(), Paths(10, ""));
  EXPECT_EQ(&ImageCache::Instance(), &ImageCache::Instance());
}

TEST_F(ImageCacheTest, HandsOutTheSamePictureWithoutDecodingAgain) {
  const std::string path = folder_.Photo("sample.jpg", 32, 16);
  const auto first = Get(path);
  ASSERT_TRUE(first);
  std::filesystem::remove(path);
  ImageError error = kUntouched;
  const auto second = cache_.Get(path, error);
  EXPECT_EQ(second, first);
  EXPECT_EQ(error, kUntouched);
  EXPECT_EQ(second->GetSize(), (PictureSize{32, 16}));
}

TEST_F(ImageCacheTest, GrowsByHalfWhenEveryEntryIsHeldAndTrimsBackWhenLetGo) {
  std::vector<ImageCache::Picture> held;
  const Paths paths = FillFive(&held);
  EXPECT_EQ(cache_.Paths(), paths);

  const std::string sixth = folder_.Photo("p6.jpg", 16, 8);
  held.push_back(Get(sixth));
  ASSERT_TRUE(held.back());
  // Grown to 7, loaded into the sixth entry, and the idle seventh removed again.
  EXPECT_EQ(cache_.Paths(), (Paths{paths[0], paths[1], paths[2], paths[3], paths[4], sixth}));

  held.clear();
  // The hit moves to the cursor (0); the trim then removes the first idle entry.
  Get(sixth);
  EXPECT_EQ(cache_.Paths(), (Paths{sixth, paths[2], paths[3], paths[4], paths[0]}));
  EXPECT_EQ(cache_.Target(), 5u);
}

TEST_F(ImageCacheTest, AHitMovesToTheCursorUnlessItIsThere) {
  const Paths paths = FillFive();
  ASSERT_EQ(cache_.Cursor(), 0u);
  Get(paths[2]);
  EXPECT_EQ(cache_.Paths(), (Paths{paths[2], paths[1], paths[0], paths[3], paths[4]}));
  EXPECT_EQ(cache_.Cursor(), 1u);
  Get(paths[1]);
  EXPECT_EQ(cache_.Paths(), (Paths{paths[2], paths[1], paths[0], paths[3], paths[4]}));
  EXPECT_EQ(cache_.Cursor(), 1u);
  // Reuse reaches the entries used longest ago first.
  Get(folder_.Photo("new.jpg", 16, 8));
  EXPECT_EQ(cache_.Paths()[1], folder_.Path("new.jpg"));
}

TEST_F(ImageCacheTest, ASingleHeldEntryStillGrows) {
  cache_.Resize(1, true);
  const auto first = Get(folder_.Photo("a.jpg", 16, 8));
  const auto second = Get(folder_.Photo("b.jpg", 16, 8));
  ASSERT_TRUE(second);
  EXPECT_NE(first, second);
  EXPECT_EQ(cache_.EntryCount(), 2u);
}

TEST_F(ImageCacheTest, MissingFilesAreReportedAtOnce) {
  const std::string missing = folder_.Path("missing.jpg");
  ImageError error = kUntouched;
  // The sample composite's request checks that the path exists before anything else.
  EXPECT_FALSE(cache_.GetAdjusted(missing, error, ImageAdjustments()));
  EXPECT_EQ(error, kUntouched);
  EXPECT_FALSE(cache_.Get(missing, error));
  EXPECT_EQ(error, (ImageError{"File not found: Decoder error: Opening " + missing + " failed",
                               ImageError::ImageMissing, 4}));
  EXPECT_TRUE(clock_.waits.empty());
  EXPECT_EQ(cache_.Paths(), Paths(10, ""));
}

TEST_F(ImageCacheTest, AnEmptyPathFindsNothingAndKeepsEveryPicture) {
  cache_.Resize(1, true);
  const std::string kept = folder_.Photo("kept.jpg", 16, 8);
  Get(kept);
  ImageError error;
  EXPECT_FALSE(cache_.Get("", error));
  EXPECT_EQ(error.Class, ImageError::ImageMissing);
  EXPECT_EQ(cache_.Paths(), Paths{kept});
}

TEST_F(ImageCacheTest, AFileThatCannotBeDecodedIsRetriedForTwentySeconds) {
  const std::string damaged = folder_.Write("damaged.jpg", {0xFF, 0xD8, 0xFF, 0x00, 0x12});
  ImageError error;
  EXPECT_FALSE(cache_.Get(damaged, error));
  EXPECT_EQ(error.Class, ImageError::ImageUnreadable);
  // An attempt at once, then one every 250 ms until 20 s have passed: 81 attempts.
  EXPECT_EQ(clock_.waits, std::vector<std::int64_t>(80, 250));
  EXPECT_EQ(cache_.Paths(), Paths(10, ""));
}

TEST_F(ImageCacheTest, AFileFinishedDuringTheRetriesIsLoaded) {
  const auto good = testsupport::EncodeJpeg({});
  const std::string path = folder_.Write("arriving.jpg", {good.begin(), good.begin() + 10});
  clock_.onWait = [&] {
    if (clock_.waits.size() == 3) folder_.Write("arriving.jpg", good);
  };
  const auto picture = Get(path);
  ASSERT_TRUE(picture);
  EXPECT_EQ(clock_.waits.size(), 3u);
  EXPECT_EQ(picture->GetError(), ImageError{});
  EXPECT_EQ(picture->GetSize(), (PictureSize{64, 48}));
}

TEST_F(ImageCacheTest, MalformedExifDataIsNotRetried) {
  const auto payload = testsupport::ExifBuilder(false)
                           .Main({testsupport::RawField(0x0112, 13, 1, {6, 0})})
                           .Payload();
  const std::string path =
      folder_.Write("bad-exif.jpg", testsupport::InsertApp1(testsupport::EncodeJpeg({}), payload));
  ImageError error;
  EXPECT_FALSE(cache_.Get(path, error));
  EXPECT_EQ(error.Class, ImageError::ImageBadExif);
  EXPECT_TRUE(clock_.waits.empty());
}

TEST_F(ImageCacheTest, APictureTooLargeToDecodeGivesUpNoEntry) {
  const Paths paths = FillFive();
  const auto held = Get(paths[0]);  // at the cursor, so nothing moves
  const std::string huge = folder_.Write(
      "huge.jpg", testsupport::WithDeclaredSize(testsupport::EncodeJpeg({}), 60000, 60000));
  ImageError error;
  EXPECT_FALSE(cache_.Get(huge, error));
  EXPECT_EQ(error.Code, 9);
  EXPECT_EQ(error.Class, ImageError::ImageTooLarge);
  // The load reused the second entry, which holds no file now; the others and the target stay.
  EXPECT_EQ(cache_.Target(), 5u);
  EXPECT_EQ(cache_.Paths(), (Paths{paths[0], "", paths[2], paths[3], paths[4]}));
  EXPECT_TRUE(clock_.waits.empty());
  EXPECT_EQ(held->GetSize(), (PictureSize{16, 8}));
}

TEST_F(ImageCacheTest, FreeSpaceLowersTheTargetAndSparesThePictureBeingLoaded) {
  const Paths paths = FillFive();
  // The first entry's picture, as the loader sees it, without holding it.
  DeviceIndepBitmap* const loading = Get(paths[0]).get();
  EXPECT_TRUE(cache_.FreeSpace(*loading));
  EXPECT_EQ(cache_.Target(), 4u);
  EXPECT_EQ(cache_.Paths(), (Paths{paths[0], paths[2], paths[3], paths[4]}));
}

TEST_F(ImageCacheTest, FreeSpaceRemovesNothingThatIsHeld) {
  std::vector<ImageCache::Picture> held;
  FillFive(&held);
  DeviceIndepBitmap elsewhere;
  EXPECT_FALSE(cache_.FreeSpace(elsewhere));
  EXPECT_EQ(cache_.Target(), 4u);
  EXPECT_EQ(cache_.EntryCount(), 5u);
  cache_.Resize(1, true);
  EXPECT_FALSE(cache_.FreeSpace(elsewhere));
  EXPECT_EQ(cache_.Target(), 1u);
}

TEST_F(ImageCacheTest, ClearKeepsPicturesHeldElsewhere) {
  std::vector<ImageCache::Picture> held;
  const Paths paths = FillFive(&held);
  cache_.Clear();
  EXPECT_EQ(cache_.Paths(), Paths(5, ""));
  EXPECT_EQ(cache_.Cursor(), 0u);
  EXPECT_EQ(held[2]->GetSize(), (PictureSize{16, 8}));
  EXPECT_NE(Get(paths[2]), held[2]);
}

TEST_F(ImageCacheTest, ResizeDropsEntriesFromTheEndWhetherUsedOrNot) {
  std::vector<ImageCache::Picture> held;
  const Paths paths = FillFive(&held);
  cache_.Resize(3, false);
  EXPECT_EQ(cache_.Paths(), (Paths{paths[0], paths[1], paths[2]}));
  EXPECT_EQ(cache_.Target(), 5u);
  EXPECT_TRUE(held[4]->HasPixels());
  cache_.Resize(4, true);
  EXPECT_EQ(cache_.Paths(), (Paths{paths[0], paths[1], paths[2], ""}));
  EXPECT_EQ(cache_.Target(), 4u);
  // The target never falls below one entry, though the entries themselves may all go; the next
  // picture then makes one.
  const struct { std::uint32_t count, target; } cases[] = {{2, 2}, {1, 1}, {0, 1}};
  for (const auto& c : cases) {
    cache_.Resize(c.count, true);
    EXPECT_EQ(cache_.Target(), c.target) << c.count;
    EXPECT_EQ(cache_.EntryCount(), c.count) << c.count;
  }
  EXPECT_TRUE(Get(paths[1]));
  EXPECT_EQ(cache_.Paths(), Paths{paths[1]});
}

TEST_F(ImageCacheTest, GetAdjustedMakesEachResultFromTheDecodedPicture) {
  const std::string path = Grey("grey.jpg", 100);
  ImageAdjustments lighter;
  lighter.Lightness = 20;
  lighter.QuarterTurns = 1;
  ImageError error;
  const auto first = cache_.GetAdjusted(path, error, lighter);
  ASSERT_TRUE(first);
  EXPECT_EQ(LevelAt(*first, 0, 0), 120);
  EXPECT_EQ(first->GetSize(), (PictureSize{8, 16}));

  // A holder that changes the picture changes the cached one, but not what comes next.
  first->Crop(0, 0, 4, 4);
  ImageAdjustments lighterStill;
  lighterStill.Lightness = 50;
  const auto second = cache_.GetAdjusted(path, error, lighterStill);
  EXPECT_EQ(second, first);
  EXPECT_EQ(LevelAt(*second, 0, 0), 150);
  EXPECT_EQ(second->GetSize(), (PictureSize{16, 8}));
  EXPECT_EQ(second->Rotation(), 0);
}

TEST_F(ImageCacheTest, WithoutDecodedCopiesAnotherAdjustmentReadsTheFileAgain) {
  cache_.Resize(1, true);
  const std::string earlier = Grey("earlier.jpg", 30);
  Get(earlier);  // leaves a decoded copy in the only entry
  cache_.SetKeepDecodedCopies(false);
  const std::string path = Grey("grey.jpg", 100);
  ImageAdjustments lighter;
  lighter.Lightness = 20;
  ImageError error;
  const auto first = cache_.GetAdjusted(path, error, lighter);
  ASSERT_TRUE(first);
  EXPECT_EQ(LevelAt(*first, 0, 0), 120);

  // The picture is made again from the file as it is now, and never from the copy the earlier
  // file left in the entry.
  Grey("grey.jpg", 60);
  const auto second = cache_.GetAdjusted(path, error, ImageAdjustments());
  EXPECT_EQ(second, first);
  EXPECT_EQ(LevelAt(*second, 0, 0), 60);
  std::filesystem::remove(path);
  EXPECT_FALSE(cache_.GetAdjusted(path, error, lighter));

  // With copies kept again, the next load keeps one, and a change to the file is not seen.
  cache_.SetKeepDecodedCopies(true);
  const std::string kept = Grey("kept.jpg", 100);
  Get(kept);
  Grey("kept.jpg", 60);
  const auto adjusted = cache_.GetAdjusted(kept, error, lighter);
  ASSERT_TRUE(adjusted);
  EXPECT_EQ(LevelAt(*adjusted, 0, 0), 120);
}

TEST_F(ImageCacheTest, AHitOnlyTurnsThePictureAgain) {
  const std::string path = Grey("grey.jpg", 100);
  ImageAdjustments turnedAndLighter;
  turnedAndLighter.Lightness = 20;
  turnedAndLighter.QuarterTurns = 1;
  const auto loaded = Get(path, &turnedAndLighter);
  EXPECT_EQ(LevelAt(*loaded, 0, 0), 120);
  EXPECT_EQ(loaded->GetSize(), (PictureSize{8, 16}));

  ImageAdjustments halfTurn;
  halfTurn.QuarterTurns = 2;
  EXPECT_EQ(Get(path, &halfTurn), loaded);
  EXPECT_EQ(loaded->Rotation(), 2);
  EXPECT_EQ(LevelAt(*loaded, 0, 0), 120);
  // Without adjustments the picture is turned back as it was decoded.
  Get(path);
  EXPECT_EQ(loaded->Rotation(), 0);
  EXPECT_EQ(loaded->GetSize(), (PictureSize{16, 8}));
}

TEST_F(ImageCacheTest, ExifOrientationTurnsThePictureUpright) {
  const auto jpeg = testsupport::EncodeJpeg({});  // 64 x 48
  ImageAdjustments useExif;
  useExif.UseExifOrientation = true;
  useExif.QuarterTurns = 2;  // ignored when the file's orientation is used
  const std::vector<std::pair<int, PictureSize>> cases = {
      {1, {64, 48}}, {3, {64, 48}}, {6, {48, 64}}, {8, {48, 64}}, {5, {64, 48}}};
  const std::vector<int> rotations = {0, 2, 1, 3, 0};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto [orientation, size] = cases[i];
    for (const bool bigEndian : {false, true}) {
      const auto payload =
          testsupport::ExifBuilder(bigEndian)
              .Main({testsupport::ShortField(0x0112, static_cast<std::uint16_t>(orientation))})
              .Payload();
      const std::string path =
          folder_.Write("ori" + std::to_string(i) + (bigEndian ? "mm" : "ii") + ".jpg",
                        testsupport::InsertApp1(jpeg, payload));
      ImageError error;
      const auto picture = cache_.GetAdjusted(path, error, useExif);
      ASSERT_TRUE(picture);
      EXPECT_EQ(picture->GetSize(), size) << orientation;
      EXPECT_EQ(picture->Rotation(), rotations[i]) << orientation;
    }
  }
  // A file without Exif data keeps its orientation.
  ImageError error;
  EXPECT_EQ(cache_.GetAdjusted(folder_.Photo("plain.jpg", 64, 48), error, useExif)->Rotation(), 0);
}

}  // namespace
