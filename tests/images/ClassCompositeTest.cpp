// The cell items of a class: its names in the layout's order, its pictures upright and cut to
// the cells' shape, and a cell without a picture for every picture that cannot be had.
#include "images/ClassComposite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "images/CompositeSubjects.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageCache.h"
#include "images/PortraitImage.h"
#include "layout/Montage.h"
#include "roster/ClassList.h"
#include "settings/PreviewSettings.h"
#include "support/ClassFolder.h"
#include "support/FakeClock.h"
#include "support/PictureFolder.h"
#include "support/ScratchFolder.h"

namespace {

using testsupport::ClassRow;
using ZodarEdo::PictureSize;

// Grey pixels, rows top-down: the left half dark and the right half light.
std::vector<std::uint8_t> DarkLeftHalf(int width, int height) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t level = x * 2 < width ? 30 : 220;
      pixels.insert(pixels.end(), {level, level, level});
    }
  }
  return pixels;
}

std::string Names(const std::vector<CellItem>& items) {
  std::string names;
  for (const CellItem& item : items) names += item.FirstName + " " + item.LastName + "; ";
  return names;
}

class ClassCompositeTest : public testing::Test {
 protected:
  ClassCompositeTest() : cache_(LoadRetryPolicy::SingleAttempt()) {}

  ClassList Write(const std::vector<ClassRow>& rows, bool withMain = false) {
    return ClassList::Read(testsupport::WriteClassFolder(folder_.Path(), rows, withMain).string());
  }

  std::vector<CellItem> Build(const ClassList& list) {
    EXPECT_TRUE(list.Ok()) << list.Error();
    std::vector<CellItem> items;
    ClassComposite(layout_, settings_, cache_)
        .BuildCellItems(list, {}, items, mainItem_, false, problems_);
    return items;
  }

  ScratchFolder folder_{"class-composite"};
  ImageCache cache_;
  Montage layout_;
  PreviewSettings settings_;
  CellItem mainItem_;
  std::vector<PictureProblem> problems_;
};

TEST_F(ClassCompositeTest, SortsProperCasedNamesByTheLayoutsOrder) {
  const std::vector<ClassRow> rows = {{"zoe", "ADAMS", "z.jpg"},
                                      {"ann", "young", "a.jpg"},
                                      {"Bo", "mcDonald", "b.jpg"},
                                      {"ann", "baker", "c.jpg"}};
  layout_.MainImageMultiple = 1;  // the main subject is an ordinary cell
  const struct {
    bool sortFirst;
    std::string names;
  } cases[] = {
      {true, "Ann Baker; Ann Young; Bo McDonald; Zoe ADAMS; "},
      {false, "Zoe ADAMS; Ann Baker; Bo McDonald; Ann Young; "},
  };
  const ClassList list = Write(rows);
  for (const auto& c : cases) {
    layout_.SortFirstName = c.sortFirst;
    EXPECT_EQ(Names(Build(list)), c.names);
  }
  EXPECT_TRUE(problems_.empty());
}

TEST_F(ClassCompositeTest, TheMainSubjectStandsApartOnlyForALargeMainImage) {
  const std::vector<ClassRow> rows = {
      {"Cy", "Ng", "c.jpg"}, {"Al", "Bo", "a.jpg", true}, {"Di", "Ek", "d.jpg"}};
  const struct {
    std::uint32_t multiple;
    bool withMain;
    std::string items;
    std::string main;
  } cases[] = {
      {2, true, "Cy Ng; Di Ek; ", "Al"},
      {2, false, "Al Bo; Di Ek; ", "Cy"},  // without the column the first row is the main one
      {1, true, "Al Bo; Cy Ng; Di Ek; ", "Al"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.multiple);
    layout_.MainImageMultiple = c.multiple;
    mainItem_ = {};
    EXPECT_EQ(Names(Build(Write(rows, c.withMain))), c.items);
    EXPECT_EQ(mainItem_.FirstName, c.main);
    EXPECT_NE(mainItem_.Picture, nullptr);
  }
}

TEST_F(ClassCompositeTest, NamesStayForTheSortWhenTheLayoutPrintsNone) {
  layout_.PrintNames = false;
  layout_.MainImageMultiple = 1;
  EXPECT_EQ(Names(Build(Write({{"B", "B", ""}, {"A", "A", ""}, {"C", "C", ""}}))),
            "A A; B B; C C; ");
}

TEST_F(ClassCompositeTest, MissingPicturesKeepAnEmptyCellOfTheCellsShape) {
  layout_.MainImageMultiple = 1;
  layout_.CropHeight = 10;
  layout_.CropWidth = 8;
  const std::vector<ClassRow> rows = {{"A", "A", "missing.jpg"},
                                      {"B", "B", ""},
                                      {"C", "C", "c.jpg"},
                                      {"D", "D", "missing.jpg"},
                                      {"E", "E", "not-a-picture.jpg"}};
  const ClassList list = Write(rows);
  folder_.Write("not-a-picture.jpg", "FirstName,LastName,Picture\n");
  const std::vector<CellItem> items = Build(list);
  ASSERT_EQ(items.size(), 5u);
  for (const CellItem& item : items) {
    EXPECT_EQ(item.Shape, (PictureSize{8, 10})) << item.FirstName;
    EXPECT_TRUE(item.HasCell());
    EXPECT_EQ(item.Picture != nullptr, item.FirstName == "C") << item.FirstName;
  }
  // Each picture that could not be had is named once; a subject without one is no problem.
  ASSERT_EQ(problems_.size(), 2u);
  EXPECT_EQ(problems_[0].Path, (folder_.Path() / "missing.jpg").string());
  EXPECT_NE(problems_[0].Error.find("File not found"), std::string::npos) << problems_[0].Error;
  EXPECT_EQ(problems_[1].Path, (folder_.Path() / "not-a-picture.jpg").string());
  EXPECT_FALSE(problems_[1].Error.empty());
}

TEST_F(ClassCompositeTest, OmittedMembersGetNoCellButTheirPicturesAreStillNamed) {
  settings_.Missing = MissingPictures::Omit;
  const std::vector<ClassRow> rows = {{"A", "A", "missing.jpg"},
                                      {"B", "B", ""},
                                      {"C", "C", "c.jpg", true},
                                      {"D", "D", "broken.jpg"},
                                      {"E", "E", "e.jpg"}};
  std::vector<ClassRow> mainWithout = rows;
  mainWithout[2].main = false;
  mainWithout[1].main = true;
  // Before decoding only the absent files are known; the broken one is found by decoding it.
  // A main image drawn on its own is never left out.
  const struct {
    const char* what;
    std::vector<ClassRow> rows;
    std::uint32_t multiple;
    std::size_t known, omitted;
    std::string items, main;
  } cases[] = {
      {"main as a cell", rows, 1, 2, 3, "C C; E E; ", "C"},
      {"main on its own", rows, 2, 2, 3, "E E; ", "C"},
      {"main on its own without a picture", mainWithout, 2, 1, 2, "C C; E E; ", "B"},
      {"main as a cell without a picture", mainWithout, 1, 2, 3, "C C; E E; ", ""},
  };
  folder_.Write("broken.jpg", "not a picture");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    layout_.MainImageMultiple = c.multiple;
    const ClassList list = Write(c.rows, true);
    EXPECT_EQ(ClassComposite::KnownOmissions(list, layout_, settings_), c.known);
    std::vector<CellItem> items;
    mainItem_ = {};
    problems_.clear();
    EXPECT_EQ(ClassComposite(layout_, settings_, cache_)
                  .BuildCellItems(list, {}, items, mainItem_, false, problems_),
              c.omitted);
    EXPECT_EQ(Names(items), c.items);
    EXPECT_EQ(mainItem_.FirstName, c.main);
    ASSERT_EQ(problems_.size(), 2u);
    EXPECT_EQ(problems_[0].Subject, "A A");
    EXPECT_EQ(problems_[1].Subject, "D D");
  }
  // Placeholders leave nobody out.
  settings_.Missing = MissingPictures::Placeholder;
  EXPECT_EQ(ClassComposite::KnownOmissions(Write(rows), layout_, settings_), 0u);
}

TEST_F(ClassCompositeTest, PicturesAreUprightAndCutToTheCellsShape) {
  layout_.CropHeight = 10;
  layout_.CropWidth = 8;
  layout_.MainImageMultiple = 1;
  // Stored 80 x 60 with the dark half on the left. Orientation 6 asks for a quarter turn
  // clockwise, which brings the dark half to the top. A landscape photograph in portrait cells
  // is cut, never turned: its subject would lie on their side.
  const struct {
    const char* what;
    int orientation;
    bool portraitCells;
    PictureSize size;
    bool darkTop, darkLeft;
  } cases[] = {
      {"orientation 6 in portrait cells", 6, true, {60, 75}, true, false},
      {"orientation 8 in portrait cells", 8, true, {60, 75}, false, false},
      {"landscape in portrait cells", 0, true, {48, 60}, false, true},
      {"landscape in landscape cells", 0, false, {75, 60}, false, true},
      {"orientation 6 in landscape cells", 6, false, {60, 48}, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    settings_.SamplePortrait = c.portraitCells;
    const std::string name = std::string("photo") + std::to_string(c.orientation) + ".jpg";
    testsupport::WriteClassPicture(folder_.Path(), name, {80, 60, c.orientation, 1},
                                   DarkLeftHalf(80, 60));
    cache_.Clear();
    const auto items = Build(ClassList::Parse("FirstName,LastName,Picture\nA,B," + name + "\n",
                                              folder_.Path().string(), "list"));
    ASSERT_EQ(items.size(), 1u);
    ASSERT_NE(items[0].Picture, nullptr);
    const ZodarEdo::DeviceIndepBitmap& picture = *items[0].Picture;
    ASSERT_EQ(picture.GetSize(), c.size);
    const int w = c.size.Width;
    const int h = c.size.Height;
    const bool top = LevelAt(picture, w / 2, h / 8) < 128;
    const bool bottom = LevelAt(picture, w / 2, h - 1 - h / 8) < 128;
    const bool left = LevelAt(picture, w / 8, h / 2) < 128;
    const bool right = LevelAt(picture, w - 1 - w / 8, h / 2) < 128;
    if (c.darkLeft) {
      EXPECT_TRUE(left && !right);
    } else {
      EXPECT_EQ(top, c.darkTop);
      EXPECT_EQ(bottom, !c.darkTop);
    }
  }
}

TEST_F(ClassCompositeTest, AFileThatFailedToDecodeIsNotWaitedForAgainUntilItChanges) {
  // A cache that waits for files that may still be being written, on a clock of its own.
  FakeClock clock;
  ImageCache patient(clock.Policy());
  const ClassList list = Write({{"A", "A", "broken.jpg"}, {"B", "B", ""}, {"C", "C", ""}});
  folder_.Write("broken.jpg", "not a picture yet");
  const auto build = [&] {
    std::vector<CellItem> items;
    problems_.clear();
    ClassComposite(layout_, settings_, patient)
        .BuildCellItems(list, {}, items, mainItem_, false, problems_);
  };
  build();
  const std::size_t firstWaits = clock.waits.size();
  EXPECT_GT(firstWaits, 0u);
  ASSERT_EQ(problems_.size(), 1u);
  const std::string reason = problems_[0].Error;
  build();
  EXPECT_EQ(clock.waits.size(), firstWaits);
  ASSERT_EQ(problems_.size(), 1u);
  EXPECT_EQ(problems_[0].Error, reason);

  testsupport::WriteClassPicture(folder_.Path(), "broken.jpg");
  build();
  EXPECT_TRUE(problems_.empty());
  EXPECT_NE(mainItem_.Picture, nullptr);
}

TEST_F(ClassCompositeTest, PicturesAreDecodedNoFinerThanTheirCellsNeed) {
  layout_.CropHeight = 10;
  layout_.CropWidth = 8;
  // The coarsest reduction whose cut still covers the cell, whichever way the picture lies once
  // turned: 1/8 of 480 x 640 is 60 x 80, cut to 60 x 75, but a picture lying across keeps only
  // 48 x 60, so a cell 49 pixels wide needs 1/4. A main image of twice the cell needs 1/4 too.
  const struct {
    const char* what;
    int width, height, orientation;
    PictureSize cell;
    bool main;
    PictureSize size;
  } cases[] = {
      {"portrait photograph, small cell", 480, 640, 0, {40, 50}, false, {60, 75}},
      {"a cell the across cut misses", 480, 640, 0, {49, 60}, false, {120, 150}},
      {"a cell of unknown size", 480, 640, 0, {0, 0}, false, {480, 600}},
      {"landscape photograph, cut across", 640, 480, 0, {40, 50}, false, {48, 60}},
      {"turned upright by orientation 6", 640, 480, 6, {40, 50}, false, {60, 75}},
      {"the main image, twice the cell", 480, 640, 0, {40, 50}, true, {120, 150}},
      {"a cell larger than the picture", 480, 640, 0, {500, 700}, false, {480, 600}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    layout_.MainImageMultiple = c.main ? 2 : 1;
    testsupport::WriteClassPicture(folder_.Path(), "p.jpg", {c.width, c.height, c.orientation, 3});
    cache_.Clear();
    const ClassList list =
        ClassList::Parse("FirstName,LastName,Picture\nA,B,p.jpg\n", folder_.Path().string(), "l");
    std::vector<CellItem> items;
    mainItem_ = {};
    ClassComposite(layout_, settings_, cache_)
        .BuildCellItems(list, c.cell, items, mainItem_, false, problems_);
    const CellItem& item = c.main ? mainItem_ : items.at(0);
    ASSERT_NE(item.Picture, nullptr);
    EXPECT_EQ(item.Picture->GetSize(), c.size);
  }
  EXPECT_TRUE(problems_.empty());
}

TEST_F(ClassCompositeTest, AClassDrawnAgainForTheSameCellsReadsNoFile) {
  // More pictures than the cache has entries: decoding them together grows it to hold them all.
  layout_.MainImageMultiple = 1;
  std::vector<ClassRow> rows;
  for (int i = 0; i < 14; ++i) {
    rows.push_back({"N" + std::to_string(i), "L", "p" + std::to_string(i) + ".jpg"});
  }
  const ClassList list = Write(rows);
  const auto build = [&](PictureSize cell) {
    std::vector<CellItem> items;
    problems_.clear();
    ClassComposite(layout_, settings_, cache_)
        .BuildCellItems(list, cell, items, mainItem_, false, problems_);
    return std::count_if(items.begin(), items.end(),
                         [](const CellItem& item) { return item.Picture != nullptr; });
  };
  ASSERT_EQ(build({4, 5}), 14);
  EXPECT_GE(cache_.EntryCount(), 14u);
  for (const ClassRow& row : rows) std::filesystem::remove(folder_.Path() / row.picture);

  // Without their files the pictures still come from the cache for the same cells, and for
  // smaller ones; cells that need finer pictures than those kept must read the files again.
  const struct {
    PictureSize cell;
    long drawn;
  } cases[] = {{{4, 5}, 14}, {{2, 3}, 14}, {{40, 50}, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(build(c.cell), c.drawn) << c.cell.Width;
    EXPECT_EQ(problems_.size(), static_cast<std::size_t>(14 - c.drawn));
  }
}

TEST(CompositeSubjectsChoice, DrawsTheClassOnlyWhenItsListCanBeRead) {
  const ScratchFolder folder("composite-subjects");
  const std::string good =
      folder.Write("good.csv", testsupport::ClassListText({{"A", "B", ""}, {"C", "D", ""}}, false))
          .string();
  const std::string bad = folder.Write("bad.csv", "FirstName,LastName\n").string();
  const std::string crowd =
      folder
          .Write("crowd.csv",
                 testsupport::ClassListText(std::vector<ClassRow>(10000, {"A", "B", ""}), false))
          .string();
  // Samples are numImages subjects of one event, the main one among them; a class has no records.
  const struct {
    std::string path;
    std::uint32_t numImages;
    bool isClass;
    std::size_t images;
    std::size_t portraits;
    std::string error;
  } cases[] = {
      {"", 20, false, 20, 19, ""},
      {"", 0, false, 1, 0, ""},
      {good, 7, true, 2, 0, ""},
      {bad, 7, false, 7, 6, bad + ", line 1: the header has no column Picture"},
      {crowd, 7, false, 7, 6, crowd + " has 10000 images; a composite shows at most 9999"},
      {(folder.Path() / "none.csv").string(), 7, false, 7, 6,
       "cannot read " + (folder.Path() / "none.csv").string() + ": No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path + " " + std::to_string(c.numImages));
    PreviewSettings settings;
    settings.NumImages = c.numImages;
    settings.ClassListPath = c.path;
    const CompositeSubjects subjects = CompositeSubjects::ForSettings(settings);
    EXPECT_EQ(subjects.Class() != nullptr, c.isClass);
    EXPECT_EQ(subjects.ImageCount(), c.images);
    EXPECT_EQ(subjects.Portraits().size(), c.portraits);
    ASSERT_EQ(subjects.Main() == nullptr, c.isClass);
    for (const auto& portrait : subjects.Portraits()) {
      EXPECT_EQ(portrait->Event, subjects.Main()->Event);
    }
    EXPECT_EQ(subjects.ClassError(), c.error);
  }
}

}  // namespace
