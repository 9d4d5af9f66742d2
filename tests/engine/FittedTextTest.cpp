#include "engine/FittedText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SurfaceTestSupport.h"
#include "engine/DisplayConverter.h"
#include "layout/FontDetails.h"
#include "platform/RasterDeviceContext.h"

namespace {

const std::string kText = "Sample text line 1";

int WidthAt(RasterDeviceContext& dc, std::uint32_t size) {
  const FontDetails font("000000", "Arial", size, false, false);
  dc.SelectFont(DisplayConverter().CreateFont(dc, font));
  return dc.GetTextExtentPoint32(kText).cx;
}

TEST(FitTextSizes, EachStepIsNinetyFivePercentDownToHalfAPoint) {
  std::vector<std::uint32_t> sizes{480};
  while (sizes.size() < 5) sizes.push_back(NextFitSize(sizes.back()));
  EXPECT_EQ(sizes, (std::vector<std::uint32_t>{480, 456, 433, 411, 390}));
  EXPECT_EQ(NextFitSize(6), 5u);
  EXPECT_EQ(NextFitSize(5), 5u);
  EXPECT_EQ(NextFitSize(0), 5u);
}

TEST(FitTextSizes, ChoosesTheFirstSizeOfTheSequenceThatFits) {
  RasterDeviceContext dc(2000, 400, 254, 254);
  const DisplayConverter converter;
  const FontDetails font("000000", "Arial", 480, false, false);
  // Wide enough at 39 pt but not at 41.1 pt: the fourth step.
  const int width = WidthAt(dc, 390);
  ASSERT_LT(width, WidthAt(dc, 411));
  EXPECT_EQ(FitText(dc, converter, kText, width, 400, font), 390u);
  EXPECT_EQ(FitText(dc, converter, kText, WidthAt(dc, 480), 400, font), 480u);
}

// The size that trying every size of the sequence in turn stops at: the first that fits, or the
// minimum.
std::uint32_t WalkedSize(RasterDeviceContext& dc, const DisplayConverter& converter,
                         const std::string& text, int width, int height, const FontDetails& font) {
  std::uint32_t size = std::max(font.FontPoint, MinimumFitSize);
  while (true) {
    dc.SelectFont(converter.CreateFont(dc, font, size));
    const LogicalSize extent = dc.GetTextExtentPoint32(text);
    if (size <= MinimumFitSize || (extent.cx <= width && extent.cy <= height)) return size;
    size = NextFitSize(size);
  }
}

// FitText measures only a few sizes and predicts the rest; whatever the text, face, resolution
// and box, it must land on the size the full walk lands on, and leave that font selected.
TEST(FitTextSizes, ChoosesWhatTryingEverySizeChooses) {
  const std::vector<std::string> texts = {
      "Sample text line 1", "W", "il1.", "Anne-Marie O'Connor-Whitfield", "AVAWAY Ty", ""};
  const std::vector<FontDetails> fonts = {
      FontDetails("000000", "Arial", 480, false, false),
      FontDetails("000000", "Arial", 185, true, true),
      FontDetails("000000", "Liberation Serif", 1000, false, false),
      FontDetails("000000", "Liberation Mono", 7, true, false)};
  const std::vector<int> widths = {20, 33, 97, 260, 711, 2400};
  const std::vector<int> heights = {5, 11, 29, 83, 300};
  for (const double scale : {1.0, 0.37}) {
    for (const int dpi : {96, 150, 300}) {
      RasterDeviceContext dc(100, 100, dpi, dpi);
      DisplayConverter converter;
      converter.Scale = scale;
      for (const std::string& text : texts) {
        for (const FontDetails& font : fonts) {
          for (const int width : widths) {
            for (const int height : heights) {
              SCOPED_TRACE(testing::Message() << dpi << " dpi, scale " << scale << ", \"" << text
                                              << "\" in " << font.FontName << " " << font.FontPoint
                                              << ", " << width << " x " << height);
              const std::uint32_t walked = WalkedSize(dc, converter, text, width, height, font);
              const auto fitted = FitText(dc, converter, text, width, height, font);
              ASSERT_TRUE(fitted);
              ASSERT_EQ(*fitted, walked);
              const LogicalSize selected = dc.GetTextExtentPoint32(text);
              dc.SelectFont(converter.CreateFont(dc, font, walked));
              ASSERT_EQ(selected.cx, dc.GetTextExtentPoint32(text).cx);
              ASSERT_EQ(selected.cy, dc.GetTextExtentPoint32(text).cy);
            }
          }
        }
      }
    }
  }
}

TEST(FitTextSizes, StopsAtTheSmallestSizeWhateverTheFontAsks) {
  RasterDeviceContext dc(100, 100, 254, 254);
  const FontDetails huge("000000", "Arial", 4294967295u, false, false);
  EXPECT_EQ(FitText(dc, DisplayConverter(), std::string(200, 'W'), 20, 5, huge), 5u);
}

TEST(FitTextSizes, BoxesBelowTheMinimumChooseNoSize) {
  RasterDeviceContext dc(100, 100, 254, 254);
  const DisplayConverter converter;
  const FontDetails font;
  // The smallest box is 20 units wide and 5 high, whether given as sizes or as a rectangle.
  const struct {
    int width, height;
    bool fitted;
  } cases[] = {{19, 100, false}, {100, 4, false}, {19, 4, false}, {20, 5, true},
               {20, 100, true},  {100, 5, true},  {0, 0, false},  {-20, -5, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    EXPECT_EQ(FitText(dc, converter, "Anne", c.width, c.height, font).has_value(), c.fitted);
    const Rect box{10, -10, 10 + c.width, -10 - c.height};
    EXPECT_EQ(DrawFittedText(dc, converter, "Anne", box, font).has_value(), c.fitted);
  }
}

TEST(FittedTextDrawing, TextIsCentredInItsBoxInTheFontColour) {
  RasterDeviceContext dc(600, 200, 254, 254);
  const DisplayConverter converter;
  const FontDetails font("C00000", "Arial", 240, true, false);
  const Rect box{50, -40, 550, -160};  // logical units: top above bottom
  const auto fitted = DrawFittedText(dc, converter, "Anne Marie", box, font);
  ASSERT_TRUE(fitted);
  EXPECT_EQ(fitted->PointTenths, 240u);
  EXPECT_EQ(fitted->X, 50 + (500 - fitted->Width) / 2);
  EXPECT_EQ(fitted->Y, -40 - (120 - fitted->Height) / 2);

  const QImage image = dc.Image();
  const QRect ink = InkBox(image, image.rect(), kWhite);
  ASSERT_FALSE(ink.isEmpty());
  // The ink lies in the box and is centred across it within a pixel or two of rounding.
  EXPECT_TRUE(QRect(QPoint(50, 40), QPoint(549, 159)).contains(ink));
  EXPECT_NEAR(ink.center().x(), 300, 3);
  EXPECT_EQ(RedOf(ColourAt(image, ink.center().x(), ink.center().y())) > 150, true);
}

TEST(FittedTextDrawing, RestoresTheSurfaceFontAndTextColour) {
  RasterDeviceContext dc(600, 200, 254, 254);
  const DisplayConverter converter;
  const SurfaceFont small = converter.CreateFont(dc, FontDetails("000000", "Arial", 80, 0, 0));
  dc.SelectFont(small);
  dc.SetTextColor(MakeColourRef(1, 2, 3));
  const LogicalSize before = dc.GetTextExtentPoint32("Anne");

  DrawFittedText(dc, converter, "Anne", Rect{0, 0, 600, -200},
                 FontDetails("00FF00", "Arial", 400, true, true));
  EXPECT_EQ(dc.GetTextExtentPoint32("Anne").cx, before.cx);
  EXPECT_EQ(dc.SetTextColor(0), MakeColourRef(1, 2, 3));
}

TEST(FittedTextDrawing, TooSmallABoxDrawsNothingAndAnEmptyTextIsOnlyFitted) {
  RasterDeviceContext dc(200, 200, 254, 254);
  const DisplayConverter converter;
  EXPECT_FALSE(DrawFittedText(dc, converter, "Anne", Rect{0, 0, 10, -100}, FontDetails()));
  const auto empty = DrawFittedText(dc, converter, "", Rect{0, 0, 200, -100}, FontDetails());
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->PointTenths, 100u);
  const QImage image = dc.Image();
  EXPECT_TRUE(InkBox(image, image.rect(), kWhite).isEmpty());
}

}  // namespace
