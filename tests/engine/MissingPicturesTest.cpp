// A class drawn with members whose pictures are missing: a placeholder portrait with the name in
// each such cell, or, when asked, the members left out so that the group closes up; every
// missing picture is reported either way.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "SurfaceTestSupport.h"
#include "engine/CellDrawing.h"
#include "engine/CompositeRenderer.h"
#include "engine/DisplayConverter.h"
#include "engine/PlaceholderDrawing.h"
#include "engine/RenderContext.h"
#include "images/CompositeSubjects.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "platform/RasterDeviceContext.h"
#include "settings/PreviewSettings.h"
#include "support/ClassFolder.h"
#include "support/ScratchFolder.h"

namespace {

using testsupport::ClassRow;

const Rect kPage{0, 0, 2540, 2032};

std::string NameOf(const CellItem& item) { return item.FirstName + " " + item.LastName; }

class MissingPicturesTest : public testing::Test {
 protected:
  MissingPicturesTest() {
    layout_.PrintNames = true;
    layout_.BackgroundType = 0;
    layout_.NumCaptionLines = 0;
  }

  // Draws the class of the rows on 10 x 8 paper at the resolution.
  void Draw(const std::vector<ClassRow>& rows, MissingPictures missing, int dpi = 50) {
    settings_.Missing = missing;
    settings_.ClassListPath =
        testsupport::WriteClassFolder(folder_.Path(), rows, true,
                                      "class" + std::to_string(++lists_) + ".csv")
            .string();
    dpi_ = dpi;
    RasterDeviceContext dc(Pixel(kPage.Width()), Pixel(kPage.Height()), dpi, dpi);
    const DisplayConverter converter;
    const RenderContext context{dc, converter, layout_, settings_, cache_};
    content_ = DrawComposite(context, kPage, CompositeSubjects::ForSettings(settings_), false);
    image_ = dc.Image();
  }

  int Pixel(double units) const { return static_cast<int>(std::lround(units * dpi_ / 254)); }

  // Whether the cell drawn for the item at the placement shows the placeholder's head, where the
  // figure's head sits in the cell's picture rectangle.
  bool ShowsPlaceholder(const CellItem& item, const Placement& placement) const {
    const Rect picture =
        PlanCell(layout_, content_.Plan->Grid(), placement.Box, FramedSize(item)).Picture;
    const double unit = std::min<double>(picture.Width(), picture.Height() / 1.25);
    return ColourAt(image_, Pixel((picture.Left + picture.Right) / 2.0),
                    Pixel(picture.Bottom - 0.8 * unit)) == PlaceholderFigure;
  }

  // The names of the cells that show the placeholder, small images first, then the main one.
  std::vector<std::string> Placeholders() const {
    std::vector<std::string> names;
    for (const Placement& placement : content_.Plan->Placements()) {
      const CellItem* item = placement.Kind == PlacementKind::SmallImage
                                 ? &content_.Items[placement.Item]
                             : placement.Kind == PlacementKind::MainImage ? &content_.MainItem
                                                                          : nullptr;
      if (item && item->HasCell() && ShowsPlaceholder(*item, placement)) {
        names.push_back(NameOf(*item));
      }
    }
    return names;
  }

  std::vector<std::string> DrawnNames() const {
    std::vector<std::string> names;
    for (const DrawnText& text : content_.Texts) names.push_back(text.Text);
    return names;
  }

  ScratchFolder folder_{"missing-pictures"};
  int lists_ = 0;
  Montage layout_;
  PreviewSettings settings_;
  ImageCache cache_{LoadRetryPolicy::SingleAttempt()};
  int dpi_ = 50;
  CompositeContent content_;
  QImage image_;
};

TEST_F(MissingPicturesTest, PlaceholdersShowTheNameAndOmittedMembersCloseUpTheGroup) {
  const std::vector<ClassRow> five = {{"Ada", "Quinn", "a.jpg"},
                                      {"Ben", "Zhou", "missing-ben.jpg"},
                                      {"Cleo", "Abbott", "c.jpg", true},
                                      {"Dev", "Morris", ""},
                                      {"Eve", "Stone", "e.jpg"}};
  std::vector<ClassRow> teacherWithout = five;
  teacherWithout[2].main = false;
  teacherWithout[3].main = true;
  const std::vector<ClassRow> mostlyMissing = {{"Ada", "Quinn", "a.jpg", true},
                                               {"Ben", "Zhou", "missing-ben.jpg"},
                                               {"Dev", "Morris", ""},
                                               {"Fay", "Lee", "missing-fay.jpg"}};
  const struct {
    const char* what;
    std::vector<ClassRow> rows;
    MissingPictures missing;
    std::uint32_t mainMultiple;
    std::size_t images;
    std::vector<std::string> small;  // in the layout's order
    std::vector<std::string> placeholders;
    std::vector<std::string> problems;  // subject: file
  } cases[] = {
      {"placeholders",
       five,
       MissingPictures::Placeholder,
       1,
       5,
       {"Ada Quinn", "Ben Zhou", "Cleo Abbott", "Dev Morris", "Eve Stone"},
       {"Ben Zhou", "Dev Morris"},
       {"Ben Zhou: missing-ben.jpg"}},
      {"omitted",
       five,
       MissingPictures::Omit,
       1,
       3,
       {"Ada Quinn", "Cleo Abbott", "Eve Stone"},
       {},
       {"Ben Zhou: missing-ben.jpg"}},
      {"a main image on its own keeps its placeholder",
       teacherWithout,
       MissingPictures::Omit,
       2,
       4,
       {"Ada Quinn", "Cleo Abbott", "Eve Stone"},
       {"Dev Morris"},
       {"Ben Zhou: missing-ben.jpg"}},
      {"placeholders keep a mostly missing class",
       mostlyMissing,
       MissingPictures::Placeholder,
       1,
       4,
       {"Ada Quinn", "Ben Zhou", "Dev Morris", "Fay Lee"},
       {"Ben Zhou", "Dev Morris", "Fay Lee"},
       {"Ben Zhou: missing-ben.jpg", "Fay Lee: missing-fay.jpg"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    layout_.MainImageMultiple = c.mainMultiple;
    Draw(c.rows, c.missing);
    EXPECT_EQ(content_.Images, c.images);
    ASSERT_TRUE(content_.Plan);
    EXPECT_EQ(content_.Plan->Grid().Count, c.small.size());
    std::vector<std::string> small;
    for (const CellItem& item : content_.Items) small.push_back(NameOf(item));
    EXPECT_EQ(small, c.small);
    EXPECT_EQ(Placeholders(), c.placeholders);
    // Every cell's name is printed, a placeholder's too; an omitted member's is not.
    std::vector<std::string> expectedNames = c.small;
    if (c.mainMultiple > 1) expectedNames.push_back(NameOf(content_.MainItem));
    std::vector<std::string> drawn = DrawnNames();
    std::sort(drawn.begin(), drawn.end());
    std::sort(expectedNames.begin(), expectedNames.end());
    EXPECT_EQ(drawn, expectedNames);
    std::vector<std::string> problems;
    for (const PictureProblem& problem : content_.Problems) {
      problems.push_back(problem.Subject + ": " +
                         problem.Path.substr(problem.Path.find_last_of('/') + 1));
    }
    EXPECT_EQ(problems, c.problems);
  }
}

TEST_F(MissingPicturesTest, AClassOmittedBelowThreeImagesLeavesThePageBlankAndStillReports) {
  layout_.MainImageMultiple = 1;
  Draw({{"Ada", "Quinn", "a.jpg", true},
        {"Ben", "Zhou", "missing-ben.jpg"},
        {"Dev", "Morris", ""},
        {"Fay", "Lee", "missing-fay.jpg"}},
       MissingPictures::Omit);
  EXPECT_EQ(content_.Images, 1u);
  EXPECT_FALSE(content_.Plan);
  EXPECT_TRUE(content_.Items.empty());
  EXPECT_EQ(content_.Problems.size(), 2u);
  for (int y = 0; y < image_.height(); ++y) {
    for (int x = 0; x < image_.width(); ++x) ASSERT_EQ(ColourAt(image_, x, y), kWhite);
  }
}

// A picture that is there but cannot be decoded is only found out by decoding it; the group then
// closes up, its cells grow, and the pictures left are decoded again finely enough for them. Here
// thirty become three, whose cells are more than twice as wide.
TEST_F(MissingPicturesTest, PicturesFoundUndecodableLeaveTheOthersSharpInTheirLargerCells) {
  layout_.MainImageMultiple = 1;
  std::vector<ClassRow> rows;
  for (int i = 0; i < 30; ++i) {
    const std::string name = "p" + std::to_string(i) + ".jpg";
    if (i < 3) {
      testsupport::WriteClassPicture(folder_.Path(), name, {480, 640, 0, 5});
    } else {
      folder_.Write(name, "not a picture");
    }
    rows.push_back({"N" + std::to_string(i), "Pupil", name});
  }
  Draw(rows, MissingPictures::Omit, 110);
  ASSERT_TRUE(content_.Plan);
  EXPECT_EQ(content_.Images, 3u);
  EXPECT_EQ(content_.Problems.size(), 27u);
  for (const Placement& placement : content_.Plan->Placements()) {
    if (placement.Kind != PlacementKind::SmallImage) continue;
    const CellItem& item = content_.Items[placement.Item];
    ASSERT_TRUE(item.Picture);
    const Rect picture =
        PlanCell(layout_, content_.Plan->Grid(), placement.Box, FramedSize(item)).Picture;
    // No cell shows its picture stretched beyond the pixels it has.
    EXPECT_GE(item.Picture->GetSize().Width, Pixel(picture.Width())) << NameOf(item);
  }
}

}  // namespace
