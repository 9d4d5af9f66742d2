#include "engine/NameDrawing.h"

#include <gtest/gtest.h>

#include "SurfaceTestSupport.h"
#include "engine/CompositeGrid.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "images/CellItem.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "platform/RasterDeviceContext.h"
#include "settings/PreviewSettings.h"

namespace {

class NameDrawingTest : public testing::Test {
 protected:
  NameDrawingTest() {
    layout_.PrintNames = true;
    grid_.CellHeight = 400;
    grid_.CellWidth = 300;
  }

  // The name of a cell whose framed picture runs from 0 to 300, leaving a band of 50 below it.
  std::vector<DrawnText> Draw(const CellItem& item) {
    const RenderContext context{dc_, converter_, layout_, settings_, cache_};
    return DrawNames(context, grid_, item, 1, 0, 300, 300, 0);
  }

  RasterDeviceContext dc_{300, 400, 254, 254};
  const DisplayConverter converter_;
  Montage layout_;
  PreviewSettings settings_;
  ImageCache cache_;
  CompositeGrid grid_;
};

TEST_F(NameDrawingTest, OneLineFitsTheBandBelowTheFrame) {
  const auto lines = Draw(CellItem{nullptr, "Anne", "Lowry", {}});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Fit.PointTenths, 100u);
  EXPECT_EQ(lines[0].Text, "Anne Lowry");
  EXPECT_EQ(lines[0].Role, TextRole::Name);
  const QImage image = dc_.Image();
  const QRect ink = InkBox(image, image.rect(), kWhite);
  EXPECT_TRUE(QRect(0, 300, 300, 50).contains(ink));
  EXPECT_NEAR(ink.center().x(), 150, 3);
}

TEST_F(NameDrawingTest, TwoLinesSitOneTextHeightApart) {
  layout_.PrintNames2Lines = true;
  const auto lines = Draw(CellItem{nullptr, "Anne", "Lowry", {}});
  ASSERT_EQ(lines.size(), 2u);
  // Half the band is 25 units, lower than a 10 pt line: both lines shrink alike.
  EXPECT_LT(lines[0].Fit.PointTenths, 100u);
  EXPECT_EQ(lines[1].Fit.PointTenths, lines[0].Fit.PointTenths);
  EXPECT_EQ(lines[0].Text, "Anne");
  EXPECT_EQ(lines[0].Line, 0u);
  EXPECT_EQ(lines[1].Text, "Lowry");
  EXPECT_EQ(lines[1].Line, 1u);
  dc_.SelectFont(converter_.CreateFont(dc_, layout_.NameFont, lines[0].Fit.PointTenths));
  EXPECT_EQ(lines[0].Fit.Y - lines[1].Fit.Y, dc_.GetTextExtentPoint32("gG").cy);
}

TEST_F(NameDrawingTest, OnlyAFirstNameDrawsOneLineAndDigitsAreNotPrinted) {
  layout_.PrintNames2Lines = true;
  EXPECT_EQ(Draw(CellItem{nullptr, "12Anne", "007", {}}).size(), 1u);
  EXPECT_EQ(PrintedNamePart("12Anne"), "Anne");
  EXPECT_EQ(PrintedNamePart("2024"), "");
  EXPECT_EQ(PrintedNamePart("Anne2"), "Anne2");
  EXPECT_TRUE(Draw(CellItem{nullptr, "", "31", {}}).empty());
  layout_.PrintNames = false;
  EXPECT_TRUE(Draw(CellItem{nullptr, "Anne", "Lowry", {}}).empty());
  const QImage image = dc_.Image();
  EXPECT_TRUE(InkBox(image, QRect(0, 325, 300, 75), kWhite).isEmpty());
}

TEST_F(NameDrawingTest, TheMainImageNamesItsRoleAndFitsItsOwnFont) {
  // Two cells high, the framed picture from 0 to 700 leaves a band of 50 below it.
  layout_.MainNameFont.FontPoint = 120;
  layout_.NameFont.FontPoint = 60;
  const RenderContext context{dc_, converter_, layout_, settings_, cache_};
  const auto lines =
      DrawNames(context, grid_, CellItem{nullptr, "Anne", "Lowry", {}}, 2, 0, 300, 700, 0);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Role, TextRole::MainName);
  EXPECT_EQ(lines[0].Fit.PointTenths, 120u);
}

TEST_F(NameDrawingTest, FramesTallerThanTheCellLeaveNoBandAndDrawNothing) {
  const RenderContext context{dc_, converter_, layout_, settings_, cache_};
  EXPECT_TRUE(
      DrawNames(context, grid_, CellItem{nullptr, "Anne", "Lowry", {}}, 1, 0, 300, 900, 0).empty());
}

}  // namespace
