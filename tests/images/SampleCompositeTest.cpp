#include "images/SampleComposite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "images/CompositeSubjects.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageCache.h"
#include "images/PortraitImage.h"
#include "layout/Montage.h"
#include "roster/SampleNames.h"
#include "settings/PreviewSettings.h"
#include "support/FakeClock.h"
#include "support/PictureFolder.h"
#include "support/TestJpeg.h"

namespace {

using ZodarEdo::PictureSize;

constexpr char kUnreadable[] = "Could not read the sample image";

class SampleCompositeTest : public testing::Test {
 protected:
  SampleCompositeTest() : cache_(clock_.Policy()) {
    // A portrait sample whose quarters are told apart by their levels: 10 top left, 20 top
    // right, 30 bottom left, 40 bottom right.
    settings_.SampleImagePath = folder_.Blocks("sample.jpg", 2, 2, {10, 20, 30, 40});
    layout_.CropHeight = 1;
    layout_.CropWidth = 1;
  }

  // The sample of the given size made of four flat quarters as above.
  void UseSample(int width, int height) {
    testsupport::JpegOptions options;
    options.width = width;
    options.height = height;
    options.kind = testsupport::JpegKind::Greyscale;
    options.quality = 100;
    std::vector<std::uint8_t> samples;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        samples.push_back(
            static_cast<std::uint8_t>(10 + (x * 2 >= width ? 10 : 0) + (y * 2 >= height ? 20 : 0)));
      }
    }
    settings_.SampleImagePath =
        folder_.Write("sample-" + std::to_string(width) + "x" + std::to_string(height) + ".jpg",
                      testsupport::EncodeJpeg(options, samples));
  }

  // The cell items of the samples, made as a drawing makes them.
  std::vector<CellItem> Build(const CompositeSubjects& subjects, CellItem& mainItem) {
    std::vector<CellItem> items;
    problems_.clear();
    subjects.BuildCellItems(layout_, settings_, cache_, {}, items, mainItem, false, problems_);
    return items;
  }

  // What a redraw reports when the sample cannot be read.
  std::vector<PictureProblem> Unreadable() const {
    return {{settings_.SampleImagePath, kUnreadable}};
  }

  // The cell items of small sample portraits and the main one.
  std::vector<CellItem> Build(std::uint32_t portraits) {
    CellItem mainItem;
    return Build(CompositeSubjects(portraits + 1), mainItem);
  }

  PictureFolder folder_;
  FakeClock clock_;
  ImageCache cache_;
  Montage layout_;
  PreviewSettings settings_;
  std::vector<PictureProblem> problems_;  // the last redraw's
};

TEST_F(SampleCompositeTest, AMainImageBelowMultipleTwoIsAnOrdinaryCell) {
  layout_.MainImageMultiple = 1;
  CellItem mainItem;
  EXPECT_EQ(Build(CompositeSubjects(21), mainItem).size(), 21u);
  EXPECT_TRUE(mainItem.Picture);

  layout_.MainImageMultiple = 2;
  CellItem separateMain;
  EXPECT_EQ(Build(CompositeSubjects(20), separateMain).size(), 19u);
  EXPECT_TRUE(separateMain.Picture);
  EXPECT_TRUE(problems_.empty());
}

TEST_F(SampleCompositeTest, NamesContinueThroughTheTableAcrossRedraws) {
  layout_.PrintNames = true;
  layout_.MainImageMultiple = 1;  // six portraits and the main one: seven items
  const std::uint32_t start = SampleNames::NameCursor();
  for (int redraw = 0; redraw < 2; ++redraw) {
    std::multiset<std::string> expected;
    for (std::uint32_t i = 0; i < 7; ++i) {
      const SampleName& name = SampleNames::At(start + 7 * redraw + i);
      expected.insert(std::string(name.First) + " " + std::string(name.Last));
    }
    std::multiset<std::string> names;
    for (const CellItem& item : Build(6)) names.insert(item.FirstName + " " + item.LastName);
    EXPECT_EQ(names, expected) << redraw;
  }
  EXPECT_EQ(SampleNames::NameCursor(), (start + 14) % SampleNames::Count);
}

TEST_F(SampleCompositeTest, WithoutNamesTheCursorStays) {
  layout_.PrintNames = false;
  const std::uint32_t start = SampleNames::NameCursor();
  for (const CellItem& item : Build(7)) {
    EXPECT_EQ(item.FirstName, "");
    EXPECT_EQ(item.LastName, "");
  }
  EXPECT_EQ(SampleNames::NameCursor(), start);
}

TEST_F(SampleCompositeTest, ItemsAreSortedByTheLayoutsNameOrder) {
  layout_.PrintNames = true;
  layout_.SortFirstName = false;
  const auto bySurname = Build(10);
  ASSERT_EQ(bySurname.size(), 10u);
  EXPECT_TRUE(std::is_sorted(bySurname.begin(), bySurname.end(), [](const auto& a, const auto& b) {
    return std::tie(a.LastName, a.FirstName) < std::tie(b.LastName, b.FirstName);
  }));
  // The two subjects who share a surname end next to each other, by first name.
  const std::string shared(SampleNames::At(1).Last);
  const auto first = std::find_if(bySurname.begin(), bySurname.end(),
                                  [&](const CellItem& item) { return item.LastName == shared; });
  ASSERT_NE(first, bySurname.end());
  ASSERT_NE(first + 1, bySurname.end());
  EXPECT_EQ((first + 1)->LastName, shared);
  EXPECT_LT(first->FirstName, (first + 1)->FirstName);

  layout_.SortFirstName = true;
  const auto byFirstName = Build(10);
  EXPECT_TRUE(
      std::is_sorted(byFirstName.begin(), byFirstName.end(), [](const auto& a, const auto& b) {
        return std::tie(a.FirstName, a.LastName) < std::tie(b.FirstName, b.LastName);
      }));
}

TEST_F(SampleCompositeTest, CellsAreCutAlongTheSamplesLongerSideAndTurnedToTheCellsShape) {
  // The quarters are 10 top left, 20 top right, 30 bottom left and 40 bottom right.
  const struct {
    const char* what;
    int width, height;
    bool portraitCells;
    std::uint32_t cropHeight, cropWidth;
    PictureSize size;
    int topLeft, bottomRight, rotation;
  } cases[] = {
      {"a square cut of the middle half of the height", 64, 128, true, 1, 1, {64, 64}, 10, 40, 0},
      {"2 : 1 keeps a 2 : 1 portrait sample whole", 64, 128, true, 10, 20, {64, 128}, 10, 40, 0},
      {"a crop side of zero leaves the sample uncut", 64, 128, true, 0, 1, {64, 128}, 10, 40, 0},
      // Cut landscape-wise (the whole sample), then turned anticlockwise: the top-right corner
      // comes to the top left.
      {"a landscape sample in portrait cells", 128, 64, true, 10, 5, {64, 128}, 20, 30, 3},
      {"a square cut is not landscape and stays", 128, 64, true, 10, 10, {64, 64}, 10, 40, 0},
      // Turned clockwise: the bottom-left corner comes to the top left.
      {"a portrait sample in landscape cells", 64, 128, false, 2, 1, {128, 64}, 30, 20, 1},
      {"a square sample in landscape cells", 64, 64, false, 1, 1, {64, 64}, 30, 20, 1},
      {"a landscape sample in landscape cells", 128, 64, false, 2, 1, {128, 64}, 10, 40, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    UseSample(c.width, c.height);
    settings_.SamplePortrait = c.portraitCells;
    layout_.CropHeight = c.cropHeight;
    layout_.CropWidth = c.cropWidth;
    const auto items = Build(1);
    ASSERT_EQ(items.size(), 1u);
    const ZodarEdo::DeviceIndepBitmap& picture = *items[0].Picture;
    ASSERT_EQ(picture.GetSize(), c.size);
    EXPECT_EQ(LevelAt(picture, 0, 0), c.topLeft);
    EXPECT_EQ(LevelAt(picture, c.size.Width - 1, c.size.Height - 1), c.bottomRight);
    EXPECT_EQ(picture.Rotation(), c.rotation);
  }
}

TEST_F(SampleCompositeTest, ZoomAndShiftComeFromThePortraitsAdjustments) {
  UseSample(64, 128);
  const CompositeSubjects subjects(2);
  subjects.Portraits()[0]->Adjustments.Zoom = 50;
  subjects.Portraits()[0]->Adjustments.VerticalShift = -50;
  CellItem mainItem;
  const auto items = Build(subjects, mainItem);
  ASSERT_EQ(items.size(), 1u);
  // The central quarter of the square (16, 48) to (48, 80), moved up to the top edge.
  EXPECT_EQ(items[0].Picture->GetSize(), (PictureSize{32, 32}));
  EXPECT_EQ(LevelAt(*items[0].Picture, 0, 0), 10);
  EXPECT_EQ(LevelAt(*items[0].Picture, 31, 0), 20);
}

TEST_F(SampleCompositeTest, CellsWithEqualAdjustmentsShareOnePictureOfTheirOwn) {
  const CompositeSubjects subjects(31);
  for (int i = 0; i < 10; ++i) subjects.Portraits()[i]->Adjustments.Zoom = 20;
  layout_.MainImageMultiple = 1;
  CellItem mainItem;
  const auto items = Build(subjects, mainItem);
  ASSERT_EQ(items.size(), 31u);
  std::set<const ZodarEdo::DeviceIndepBitmap*> pictures;
  for (const CellItem& item : items) pictures.insert(item.Picture.get());
  EXPECT_EQ(pictures.size(), 2u);
  EXPECT_TRUE(pictures.count(mainItem.Picture.get()));
  // None of them is the cache's own picture, which a later request makes anew.
  ImageError error;
  const auto cached = cache_.GetAdjusted(settings_.SampleImagePath, error, ImageAdjustments());
  EXPECT_FALSE(pictures.count(cached.get()));
  // The next redraw makes pictures of its own.
  EXPECT_NE(Build(1)[0].Picture, items[0].Picture);
}

TEST_F(SampleCompositeTest, AnUnreadableSampleIsReportedOnceARedrawAndRetriedOnce) {
  settings_.SampleImagePath = folder_.Write("damaged.jpg", {0xFF, 0xD8, 0xFF, 0x00});
  layout_.MainImageMultiple = 1;
  CellItem mainItem;
  mainItem.FirstName = "kept";
  EXPECT_TRUE(Build(CompositeSubjects(21), mainItem).empty());
  EXPECT_EQ(problems_, Unreadable());
  EXPECT_EQ(mainItem.FirstName, "kept");
  EXPECT_FALSE(mainItem.Picture);
  // One retry of 20 seconds for the whole redraw.
  EXPECT_EQ(clock_.waits.size(), 80u);

  EXPECT_TRUE(Build(5).empty());
  EXPECT_EQ(problems_, Unreadable());
}

TEST_F(SampleCompositeTest, AMissingSampleIsReportedWithoutWaiting) {
  settings_.SampleImagePath = folder_.Path("missing.jpg");
  EXPECT_TRUE(Build(20).empty());
  EXPECT_EQ(problems_, Unreadable());
  EXPECT_TRUE(clock_.waits.empty());
}

TEST_F(SampleCompositeTest, TheSampleComesFromTheCacheTheDrawingIsGiven) {
  settings_.SampleImagePath = folder_.Photo("sample.jpg", 40, 50);
  layout_ = Montage();
  CellItem mainItem;
  const auto items = Build(CompositeSubjects(4), mainItem);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].Picture->GetSize(), (PictureSize{40, 50}));
  EXPECT_TRUE(mainItem.Picture);
  EXPECT_EQ(cache_.Paths()[0], settings_.SampleImagePath);
}

}  // namespace
