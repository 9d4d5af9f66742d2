// The image cache with requests that say how large a picture must stay: reduced decoding,
// entries decoded finer serving coarser requests, decoding ahead on every core, and pictures
// refused for their size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "images/ImageCache.h"
#include "support/FakeClock.h"
#include "support/PictureFolder.h"
#include "support/TestJpeg.h"
#include "toolkit/PLJPEGDecoder.h"
#include "toolkit/PLWinBmp.h"

namespace {

using ZodarEdo::DeviceIndepBitmap;
using ZodarEdo::PictureSize;

// A cell without crop proportions: the whole picture must cover it.
DecodeTarget Cell(int width, int height) { return {.CellWidth = width, .CellHeight = height}; }

bool SamePixels(const DeviceIndepBitmap& a, const DeviceIndepBitmap& b) {
  if (a.GetSize() != b.GetSize()) return false;
  const PictureSize size = a.GetSize();
  for (int y = 0; y < size.Height; ++y) {
    if (std::memcmp(a.Pixels()->RowTable()[y], b.Pixels()->RowTable()[y],
                    static_cast<std::size_t>(size.Width) * 4) != 0) {
      return false;
    }
  }
  return true;
}

class ImageCacheScaledTest : public testing::Test {
 protected:
  ImageCacheScaledTest() : cache_(clock_.Policy()) {}

  ImageCache::Picture Get(const std::string& path, const DecodeTarget& target) {
    ImageError error;
    auto picture = cache_.Get(path, error, nullptr, target);
    EXPECT_EQ(error, ImageError{}) << path;
    return picture;
  }

  // Photographs of 256 x 192, each of its own content.
  std::vector<std::string> Photos(int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
      testsupport::JpegOptions options{.width = 256, .height = 192};
      const auto samples = testsupport::PhotoLikeSamples(256, 192, 3, 10 + i);
      paths.push_back(folder_.Write("class" + std::to_string(i) + ".jpg",
                                    testsupport::EncodeJpeg(options, samples)));
    }
    return paths;
  }

  PictureFolder folder_;
  FakeClock clock_;
  ImageCache cache_;
};

TEST_F(ImageCacheScaledTest, DecodesAtTheCoarsestReductionTheRequestAllows) {
  const std::string path = folder_.Photo("photo.jpg", 256, 192);
  const struct {
    DecodeTarget target;
    PictureSize size;
    int reduction;
  } cases[] = {{Cell(32, 24), {32, 24}, 8},
               {Cell(33, 24), {64, 48}, 4},
               {{.CellWidth = 40, .CellHeight = 50, .CropFirst = 10, .CropSecond = 8}, {64, 48}, 4},
               {Cell(128, 96), {128, 96}, 2},
               {DecodeTarget{}, {256, 192}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.target.CellWidth << " x " << c.target.CellHeight);
    // A fresh cache each time, so that nothing decoded finer before serves the request.
    ImageCache cache(clock_.Policy());
    ImageError error;
    const auto picture = cache.Get(path, error, nullptr, c.target);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->GetSize(), c.size);
    EXPECT_EQ(picture->Reduction(), c.reduction);
    EXPECT_EQ(picture->DeclaredSize(), (PictureSize{256, 192}));
  }
}

TEST_F(ImageCacheScaledTest, AFinerEntryServesCoarserRequestsWithoutTheFile) {
  const std::string path = folder_.Photo("photo.jpg", 256, 192);
  const auto fine = Get(path, Cell(64, 48));
  ASSERT_TRUE(fine);
  std::filesystem::remove(path);
  EXPECT_EQ(Get(path, Cell(32, 24)), fine);
  EXPECT_EQ(Get(path, Cell(64, 48)), fine);
  ImageError error;
  const auto adjusted = cache_.GetAdjusted(path, error, ImageAdjustments(), Cell(16, 12));
  EXPECT_EQ(adjusted, fine);
  EXPECT_EQ(adjusted->GetSize(), (PictureSize{64, 48}));
}

TEST_F(ImageCacheScaledTest, ARequestForMorePixelsDecodesAnewAndReplacesTheCoarseEntry) {
  const std::string path = folder_.Photo("photo.jpg", 256, 192);
  ASSERT_EQ(Get(path, Cell(32, 24))->GetSize(), (PictureSize{32, 24}));
  ASSERT_EQ(Get(path, Cell(100, 75))->GetSize(), (PictureSize{128, 96}));
  ImageError error;
  const auto whole = cache_.GetAdjusted(path, error, ImageAdjustments());
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->GetSize(), (PictureSize{256, 192}));
  const std::vector<std::string> paths = cache_.Paths();
  EXPECT_EQ(std::count(paths.begin(), paths.end(), path), 1);
}

TEST_F(ImageCacheScaledTest, PrefetchKeepsAWholeClassSoThatNoRequestDecodes) {
  for (const bool keepCopies : {true, false}) {
    SCOPED_TRACE(keepCopies ? "with decoded copies" : "without decoded copies");
    ImageCache cache(clock_.Policy());
    cache.SetKeepDecodedCopies(keepCopies);
    const std::vector<std::string> paths = Photos(14);
    std::vector<PictureRequest> requests;
    for (const std::string& path : paths) requests.push_back({path, Cell(64, 48)});
    // A path asked twice is decoded once; an empty path is no request.
    requests.push_back({paths[0], Cell(64, 48)});
    requests.push_back({"", Cell(64, 48)});
    EXPECT_EQ(cache.Prefetch(requests), 14u);
    EXPECT_GE(cache.EntryCount(), 14u);
    EXPECT_GE(cache.Target(), 14u);
    EXPECT_EQ(cache.Prefetch(requests), 0u);

    for (const std::string& path : paths) std::filesystem::remove(path);
    ImageAdjustments turned;
    turned.QuarterTurns = 1;
    for (const std::string& path : paths) {
      ImageError error;
      const auto picture = cache.GetAdjusted(path, error, turned, Cell(48, 64));
      ASSERT_TRUE(picture) << path;
      EXPECT_EQ(error, ImageError{});
      EXPECT_EQ(picture->GetSize(), (PictureSize{48, 64}));
    }
    // The second drawing of the class, after only a colour of the layout changed.
    for (const std::string& path : paths) {
      ImageError error;
      const auto picture = cache.GetAdjusted(path, error, ImageAdjustments(), Cell(64, 48));
      if (keepCopies) {
        ASSERT_TRUE(picture) << path;
        EXPECT_EQ(picture->GetSize(), (PictureSize{64, 48}));
      } else {
        // Without a decoded copy the picture handed out before is made again from the file.
        EXPECT_FALSE(picture);
      }
    }
  }
}

TEST_F(ImageCacheScaledTest, PrefetchMakesRoomForTheNextClassFromPicturesNobodyAsksFor) {
  const std::vector<std::string> paths = Photos(5);
  const auto holds = [this](const std::string& path) {
    const std::vector<std::string> kept = cache_.Paths();
    return std::find(kept.begin(), kept.end(), path) != kept.end();
  };
  ASSERT_EQ(cache_.Prefetch({{paths[0], {}}, {paths[1], {}}}), 2u);
  // Room for these two and no more.
  cache_.SetPrefetchBudget(cache_.PixelBytes());
  {
    // A picture someone still holds is not given up; the idle one makes room.
    const auto held = Get(paths[0], {});
    EXPECT_EQ(cache_.Prefetch({{paths[2], {}}, {paths[3], {}}}), 1u);
    EXPECT_TRUE(holds(paths[0]));
    EXPECT_FALSE(holds(paths[1]));
    EXPECT_TRUE(holds(paths[2]));
  }
  // A picture the requests ask for again is kept; the one nobody asks for goes.
  EXPECT_EQ(cache_.Prefetch({{paths[2], {}}, {paths[4], {}}}), 1u);
  EXPECT_TRUE(holds(paths[2]));
  EXPECT_TRUE(holds(paths[4]));
  EXPECT_FALSE(holds(paths[0]));
  EXPECT_LE(cache_.PixelBytes(), 2 * 2 * 256 * 192 * 4u);
}

TEST_F(ImageCacheScaledTest, PrefetchGivesThePicturesThatDecodingOneByOneGives) {
  const std::vector<std::string> paths = Photos(9);
  std::vector<PictureRequest> requests;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    // Each reduction, and the whole picture, among the requests.
    const int side = 256 >> (i % 4);
    requests.push_back({paths[i], Cell(side, side * 3 / 4)});
  }
  ASSERT_EQ(cache_.Prefetch(requests), paths.size());
  for (const PictureRequest& request : requests) {
    SCOPED_TRACE(request.Path);
    DeviceIndepBitmap alone;
    PLJPEGDecoder decoder;
    ASSERT_FALSE(alone.LoadJpegFile(request.Path, decoder, request.Target).Failed());
    const auto cached = Get(request.Path, request.Target);
    ASSERT_TRUE(cached);
    EXPECT_EQ(cached->Reduction(), alone.Reduction());
    EXPECT_TRUE(SamePixels(*cached, alone));
  }
}

TEST_F(ImageCacheScaledTest, PrefetchLeavesFailuresToTheRequestThatFollows) {
  const std::string good = folder_.Photo("good.jpg", 64, 48);
  const std::string bad = folder_.Write("bad.jpg", {0xFF, 0xD8, 0xFF});
  const std::string missing = folder_.Path("missing.jpg");
  EXPECT_EQ(cache_.Prefetch({{good, Cell(8, 6)}, {bad, Cell(8, 6)}, {missing, Cell(8, 6)}}), 1u);
  ImageError error;
  EXPECT_FALSE(cache_.Get(missing, error, nullptr, Cell(8, 6)));
  EXPECT_EQ(error.Class, ImageError::ImageMissing);
}

TEST_F(ImageCacheScaledTest, APictureRefusedForItsSizeKeepsTheCacheAsLargeAsItWas) {
  cache_.Resize(5, true);
  std::vector<ImageCache::Picture> held;
  for (const std::string& path : Photos(3)) held.push_back(Get(path, {}));
  const std::string huge = folder_.Write(
      "huge.jpg", testsupport::WithDeclaredSize(testsupport::EncodeJpeg({}), 20000, 15001));
  ImageError error;
  EXPECT_FALSE(cache_.Get(huge, error, nullptr, Cell(100, 100)));
  EXPECT_EQ(error.Class, ImageError::ImageTooLarge);
  EXPECT_EQ(error.Code, 9);
  EXPECT_EQ(cache_.Prefetch({{huge, Cell(100, 100)}}), 0u);
  EXPECT_FALSE(cache_.GetAdjusted(huge, error, ImageAdjustments()));
  EXPECT_EQ(error.Class, ImageError::ImageTooLarge);
  // Neither retried as a file still being written nor met by giving up entries.
  EXPECT_TRUE(clock_.waits.empty());
  EXPECT_EQ(cache_.Target(), 5u);
  EXPECT_EQ(cache_.EntryCount(), 5u);
}

TEST_F(ImageCacheScaledTest, AHundredMegapixelPictureLoadsReducedAndIsRefusedWhole) {
  const std::string path = folder_.Write(
      "large.jpg",
      testsupport::EncodeFlatJpeg({.width = 12000, .height = 9000, .quality = 75}, 90));
  ImageError error;
  EXPECT_FALSE(cache_.Get(path, error));
  EXPECT_EQ(error.Class, ImageError::ImageTooLarge);
  const auto reduced = Get(path, Cell(1200, 900));
  ASSERT_TRUE(reduced);
  EXPECT_EQ(reduced->GetSize(), (PictureSize{1500, 1125}));
  EXPECT_EQ(LevelAt(*reduced, 700, 500), 90);
  EXPECT_EQ(cache_.Target(), 10u);
}

}  // namespace
