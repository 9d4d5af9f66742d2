#include "platform/RasterDeviceContext.h"

#include <gtest/gtest.h>

#include <QRect>
#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

constexpr ColourRef kWhite = 0xFFFFFF;
constexpr ColourRef kRed = MakeColourRef(255, 0, 0);
constexpr ColourRef kGreen = MakeColourRef(0, 128, 0);
constexpr ColourRef kBlue = MakeColourRef(0, 0, 255);

QRgb Rgb(ColourRef colour) { return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

// The bounding box and the number of the pixels that pass the test; the box is empty when none
// does.
struct Pixels {
  QRect box;
  int count = 0;
};

Pixels PixelsWhere(const QImage& image, const std::function<bool(int x, int y)>& test) {
  Pixels pixels;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!test(x, y)) continue;
      pixels.box |= QRect(x, y, 1, 1);
      ++pixels.count;
    }
  }
  return pixels;
}

Pixels PixelsOf(const QImage& image, ColourRef colour) {
  return PixelsWhere(image, [&](int x, int y) { return image.pixel(x, y) == Rgb(colour); });
}
QRect BoxOf(const QImage& image, ColourRef colour) { return PixelsOf(image, colour).box; }
int CountOf(const QImage& image, ColourRef colour) { return PixelsOf(image, colour).count; }

// Ink is any pixel clearly darker than the white ground; antialiased edges count when they are
// at least half covered.
bool IsInk(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }
QRect InkBox(const QImage& image) {
  return PixelsWhere(image, [&](int x, int y) { return IsInk(image, x, y); }).box;
}

SurfaceFont MakeFont(const RasterDeviceContext& dc, int pointTenths,
                     const std::string& face = "Arial", int weight = 400) {
  FontDescription description;
  description.PointTenths = pointTenths;
  description.FaceName = face;
  description.Weight = weight;
  return dc.CreatePointFontIndirect(description);
}

TEST(RasterDeviceContextMapping, OneUnitIsOnePixelAt254DpiWithYGrowingUpwards) {
  const std::array<std::array<int, 4>, 4> orders = {{
      {0, 0, 30, -40},
      {30, -40, 0, 0},
      {0, -40, 30, 0},
      {30, 0, 0, -40},
  }};
  for (const auto& [left, top, right, bottom] : orders) {
    RasterDeviceContext fresh(100, 100, 254, 254);
    fresh.SetViewportOrigin(QPoint(10, 20));
    fresh.FillSolidRect(left, top, right, bottom, kRed);
    const QImage image = fresh.Image();
    EXPECT_EQ(BoxOf(image, kRed), QRect(10, 20, 30, 40)) << left << ',' << top;
    EXPECT_EQ(CountOf(image, kRed), 30 * 40);
  }
}

TEST(RasterDeviceContextMapping, LengthsFollowTheResolution) {
  // One inch is 254 logical units: at 96 dpi it covers 96 pixels, at 600 dpi 600 pixels, and
  // half-pixel positions round to the nearest pixel edge.
  RasterDeviceContext screen(200, 200, 96, 96);
  screen.FillSolidRect(127, 0, 381, -254, kBlue);
  EXPECT_EQ(BoxOf(screen.Image(), kBlue), QRect(48, 0, 96, 96));

  RasterDeviceContext printer(700, 700, 600, 300);
  printer.SetViewportOrigin(QPoint(50, 650));
  printer.FillSolidRect(0, 254, 254, 0, kGreen);
  EXPECT_EQ(BoxOf(printer.Image(), kGreen), QRect(50, 350, 600, 300));
  EXPECT_EQ(printer.DeviceX(-254), -550);
  EXPECT_EQ(printer.DeviceY(-1), 651);
}

TEST(RasterDeviceContextMapping, FillsAreClippedToTheImage) {
  RasterDeviceContext dc(40, 30, 600, 600);
  dc.SetViewportOrigin(QPoint(20, 15));
  dc.FillSolidRect(INT_MIN, INT_MAX, INT_MAX, INT_MIN, kRed);
  EXPECT_EQ(CountOf(dc.Image(), kRed), 40 * 30);

  RasterDeviceContext far(40, 30, 254, 254);
  far.FillSolidRect(1000, 1000, 2000, 2000, kRed);
  far.FillSolidRect(5, -5, 5, -20, kRed);  // no width at all
  EXPECT_EQ(CountOf(far.Image(), kRed), 0);
}

TEST(RasterDeviceContextPolygon, FillsWithTheBrushAndOutlinesOneUnitWithThePen) {
  RasterDeviceContext dc(50, 50, 254, 254);
  dc.SelectPen(Pen{kBlue});
  dc.SelectBrush(Brush{kGreen});
  const std::array<LogicalPoint, 4> square = {{{10, -10}, {30, -10}, {30, -30}, {10, -30}}};
  dc.Polygon(square);
  const QImage image = dc.Image();
  // The outline runs through the pixels of the corner points, so the shape covers 10 to 30
  // inclusive; everything inside it is the brush's.
  EXPECT_EQ(BoxOf(image, kBlue), QRect(10, 10, 21, 21));
  EXPECT_EQ(BoxOf(image, kGreen), QRect(11, 11, 19, 19));
  EXPECT_EQ(CountOf(image, kGreen), 19 * 19);
  EXPECT_EQ(CountOf(image, kBlue), 21 * 21 - 19 * 19);
}

TEST(RasterDeviceContextPolygon, FrameBandsOfOneColourCoverTheirRectangleExactly) {
  // A frame band as the renderer draws it: a trapezium whose outline and fill share a colour.
  RasterDeviceContext dc(60, 60, 254, 254);
  dc.SelectPen(Pen{kRed});
  dc.SelectBrush(Brush{kRed});
  const int xL = 5, xR = 55, yT = -5, t = 8;
  const std::array<LogicalPoint, 4> top = {
      {{xL, yT}, {xR - 1, yT}, {xR - t, yT - t}, {xL + t, yT - t}}};
  dc.Polygon(top);
  const QImage image = dc.Image();
  EXPECT_EQ(BoxOf(image, kRed), QRect(5, 5, 50, 9));
  for (int x = 5; x < 55; ++x) EXPECT_EQ(image.pixel(x, 5), Rgb(kRed)) << x;
  EXPECT_EQ(image.pixel(30, 13), Rgb(kRed));
  EXPECT_EQ(image.pixel(30, 14), Rgb(kWhite));
  EXPECT_EQ(image.pixel(5, 13), Rgb(kWhite));  // the band's slanted end
}

TEST(RasterDeviceContextPolygon, OutlineIsOneLogicalUnitAtPrinterResolution) {
  RasterDeviceContext dc(200, 200, 600, 600);
  dc.SelectPen(Pen{kBlue});
  dc.SelectBrush(Brush{kGreen});
  const std::array<LogicalPoint, 4> square = {{{10, -10}, {60, -10}, {60, -60}, {10, -60}}};
  dc.Polygon(square);
  const QImage image = dc.Image();
  // 1 unit is 2.36 pixels at 600 dpi: the pen is 2 pixels wide along each edge.
  int outline = 0;
  for (int x = 0; x < 200; ++x) outline += image.pixel(x, 80) == Rgb(kBlue) ? 1 : 0;
  EXPECT_EQ(outline, 4);
  EXPECT_EQ(image.pixel(80, 80), Rgb(kGreen));
}

TEST(RasterDeviceContextPolygon, DegenerateAndFarAwayPolygonsAreSafe) {
  RasterDeviceContext dc(30, 30, 254, 254);
  dc.SelectPen(Pen{kRed});
  dc.SelectBrush(Brush{kRed});
  const std::array<LogicalPoint, 1> single = {{{5, -5}}};
  dc.Polygon(single);
  EXPECT_EQ(CountOf(dc.Image(), kRed), 0);
  // A huge triangle whose long side crosses the image along x + y = 30 (in pixels, y down):
  // the pixels above and left of that diagonal are filled, the others are not.
  constexpr int k = 1000000000;
  const std::array<LogicalPoint, 3> huge = {{{-k, -(30 + k)}, {30 + k, k}, {-k, k}}};
  dc.Polygon(huge);
  const QImage image = dc.Image();
  EXPECT_EQ(image.pixel(5, 20), Rgb(kRed));
  EXPECT_EQ(image.pixel(0, 0), Rgb(kRed));
  EXPECT_EQ(image.pixel(20, 20), Rgb(kWhite));
  EXPECT_EQ(image.pixel(29, 29), Rgb(kWhite));
}

TEST(RasterDeviceContextState, SelectionReturnsThePreviousObjects) {
  RasterDeviceContext dc(10, 10, 96, 96);
  EXPECT_EQ(dc.SelectPen(Pen{kRed}).Colour, 0u);  // the default black pen
  EXPECT_EQ(dc.SelectPen(Pen{kBlue}).Colour, kRed);
  EXPECT_EQ(dc.SelectBrush(Brush{kGreen}).Colour, kWhite);  // the default white brush
  EXPECT_EQ(dc.SelectBrush(Brush{kRed}).Colour, kGreen);
  const SurfaceFont bold = MakeFont(dc, 120, "Liberation Serif", 700);
  const SurfaceFont first = dc.SelectFont(bold);
  EXPECT_EQ(first.Description.FaceName, "Arial");
  EXPECT_EQ(dc.SelectFont(first).Description.FaceName, "Liberation Serif");
  EXPECT_EQ(dc.SetTextColor(kRed), 0u);
  EXPECT_EQ(dc.SetTextColor(kBlue), kRed);
  EXPECT_EQ(dc.SetBkMode(BackgroundMode::Transparent), BackgroundMode::Opaque);
  EXPECT_EQ(dc.SetBkMode(BackgroundMode::Opaque), BackgroundMode::Transparent);
}

TEST(RasterDeviceContextState, ImageTakenEarlierDoesNotChangeWithLaterDrawing) {
  RasterDeviceContext dc(20, 20, 254, 254);
  dc.SelectBrush(Brush{kRed});
  dc.SelectPen(Pen{kRed});
  const std::array<LogicalPoint, 3> triangle = {{{0, 0}, {10, 0}, {0, -10}}};
  dc.Polygon(triangle);
  const QImage before = dc.Image();
  const int red = CountOf(before, kRed);
  dc.FillSolidRect(0, 0, 20, -20, kBlue);
  const std::array<LogicalPoint, 3> other = {{{5, -5}, {15, -5}, {5, -15}}};
  dc.Polygon(other);
  EXPECT_EQ(CountOf(before, kRed), red);
  EXPECT_EQ(CountOf(before, kBlue), 0);
  EXPECT_GT(CountOf(dc.Image(), kBlue), 0);
}

TEST(RasterDeviceContextState, ImageTakenKeepsItsPixelsWhenTheSurfaceGoes) {
  // Large enough for pixels mapped from the system, which must stay until the image goes.
  QImage kept;
  {
    RasterDeviceContext dc(1200, 900, 254, 254);
    dc.FillSolidRect(0, 0, 600, -900, kBlue);
    kept = dc.Image();
  }
  EXPECT_EQ(CountOf(kept, kBlue), 600 * 900);
  EXPECT_EQ(CountOf(kept, kWhite), 600 * 900);
  kept.setPixel(1199, 899, Rgb(kRed));
  EXPECT_EQ(CountOf(kept, kRed), 1);
}

TEST(RasterDeviceContextState, NullSurfaceIgnoresDrawing) {
  // Past 2^28 pixels a surface is refused before any memory is asked for; a side of no pixels
  // gives no surface either.
  const struct {
    int width, height;
  } refused[] = {{100000, 80000}, {(1 << 28) + 1, 1}, {1, (1 << 28) + 1}, {16385, 16384}, {0, 10},
                 {10, 0},         {-1, -1},           {INT_MAX, INT_MAX}};
  for (const auto& size : refused) {
    EXPECT_TRUE(RasterDeviceContext(size.width, size.height, 254, 254).IsNull())
        << size.width << " x " << size.height;
  }
  EXPECT_FALSE(RasterDeviceContext(1, 1, 254, 254).IsNull());
  RasterDeviceContext dc(0, 0, 96, 96);
  EXPECT_TRUE(dc.IsNull());
  dc.FillSolidRect(0, 0, 10, -10, kRed);
  const std::array<LogicalPoint, 3> triangle = {{{0, 0}, {10, 0}, {0, -10}}};
  dc.Polygon(triangle);
  dc.TextOut(0, 0, "text");
  EXPECT_TRUE(dc.Image().isNull());
}

TEST(RasterDeviceContextFont, HeightIsInPointsOnPaperAtEveryResolution) {
  for (const int dpi : {96, 300, 600}) {
    RasterDeviceContext dc(10, 10, dpi, dpi);
    const SurfaceFont font = MakeFont(dc, 240);
    // 24 pt is a third of an inch, 84.67 tenths of a millimetre, up to a pixel's rounding.
    EXPECT_NEAR(font.LogicalHeight, 254.0 / 3.0, 254.0 / dpi / 2) << dpi;
  }
  // The ink of a capital H of Liberation Sans is 0.688 of the em: 69 pixels of 100 at 300 dpi.
  RasterDeviceContext dc(300, 200, 300, 300);
  dc.SetBkMode(BackgroundMode::Transparent);
  dc.SelectFont(MakeFont(dc, 240));
  dc.TextOut(10, -10, "H");
  EXPECT_NEAR(InkBox(dc.Image()).height(), 69, 1);
}

TEST(RasterDeviceContextFont, FaceNameIsCutTo31Characters) {
  RasterDeviceContext dc(10, 10, 96, 96);
  const struct {
    std::string face, made;
  } cases[] = {
      {std::string(30, 'F'), std::string(30, 'F')},
      {std::string(31, 'F'), std::string(31, 'F')},
      {std::string(32, 'F'), std::string(31, 'F')},
      {std::string(40, 'F'), std::string(31, 'F')},
      {"Liberation Sans", "Liberation Sans"},
      // A character that straddles the limit is dropped whole rather than split; one that
      // ends at it is kept.
      {std::string(30, 'a') + "\xC3\xA9" + "bcd", std::string(30, 'a')},
      {std::string(29, 'a') + "\xC3\xA9" + "bcd", std::string(29, 'a') + "\xC3\xA9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MakeFont(dc, 100, c.face).Description.FaceName, c.made) << c.face;
  }
}

TEST(RasterDeviceContextFont, HeightsAreWholePixelsFromOneTo16384) {
  // At 254 dpi a pixel is a logical unit and a tenth of a point is 254/720 of one, so the
  // heights below are the rounded pixels of each size: 0.35 and 0.71 pixels become one, and
  // 16384.76 is held at 16384.
  RasterDeviceContext dc(10, 10, 254, 254);
  const struct {
    int pointTenths;
    double height;
  } cases[] = {{0, 1},         {1, 1},           {2, 1},          {3, 1},
               {5, 2},         {-720, 254},      {46442, 16384},  {46444, 16384},
               {46445, 16384}, {INT_MAX, 16384}, {INT_MIN, 16384}};
  for (const auto& c : cases) {
    EXPECT_EQ(MakeFont(dc, c.pointTenths).LogicalHeight, c.height) << c.pointTenths;
  }
}

TEST(RasterDeviceContextState, ResolutionsAreHeldFromOneTo10000Dpi) {
  // The resolution shows in the picture's dots per metre, rounded to whole dots.
  const struct {
    int dpi;
    int dotsPerMetre;
  } cases[] = {{INT_MIN, 39}, {0, 39},        {1, 39},         {2, 79},
               {254, 10000},  {9999, 393661}, {10000, 393701}, {10001, 393701}};
  for (const auto& c : cases) {
    RasterDeviceContext dc(2, 2, c.dpi, c.dpi);
    EXPECT_EQ(dc.Image().dotsPerMeterX(), c.dotsPerMetre) << c.dpi;
    EXPECT_EQ(dc.Image().dotsPerMeterY(), c.dotsPerMetre) << c.dpi;
  }
}

TEST(RasterDeviceContextText, ArialIsMeasuredAsLiberationSans) {
  RasterDeviceContext dc(10, 10, 300, 300);
  dc.SelectFont(MakeFont(dc, 100, "Liberation Sans"));
  const LogicalSize liberation = dc.GetTextExtentPoint32("Sample text line 1");
  dc.SelectFont(MakeFont(dc, 100, "Arial"));
  const LogicalSize arial = dc.GetTextExtentPoint32("Sample text line 1");
  EXPECT_EQ(arial.cx, liberation.cx);
  EXPECT_EQ(arial.cy, liberation.cy);
  // Liberation Sans is 1.117 em from ascent to descent; 10 pt is 35.28 units.
  EXPECT_NEAR(arial.cy, 39.4, 1.0);
}

TEST(RasterDeviceContextText, ExtentsInLogicalUnitsAgreeAcrossResolutions) {
  RasterDeviceContext low(10, 10, 300, 300);
  RasterDeviceContext high(10, 10, 600, 600);
  low.SelectFont(MakeFont(low, 120));
  high.SelectFont(MakeFont(high, 120));
  const LogicalSize a = low.GetTextExtentPoint32("Montage of a whole class");
  const LogicalSize b = high.GetTextExtentPoint32("Montage of a whole class");
  EXPECT_NEAR(a.cx, b.cx, 2);
  EXPECT_NEAR(a.cy, b.cy, 1);
  EXPECT_GT(a.cx, 300);
  EXPECT_EQ(low.GetTextExtentPoint32("").cx, 0);

  const LogicalSize regular = low.GetTextExtentPoint32("Bold");
  low.SelectFont(MakeFont(low, 120, "Arial", 700));
  EXPECT_GT(low.GetTextExtentPoint32("Bold").cx, regular.cx);
}

TEST(RasterDeviceContextText, TextIsUprightWithItsTopLeftAtThePoint) {
  RasterDeviceContext dc(300, 300, 254, 254);
  dc.SetBkMode(BackgroundMode::Transparent);
  dc.SelectFont(MakeFont(dc, 720));  // one inch: 254 units, so the L is about 175 pixels tall
  dc.SetTextColor(kRed);
  dc.TextOut(20, -10, "L");
  const QImage image = dc.Image();
  const QRect ink = InkBox(image);
  ASSERT_FALSE(ink.isEmpty());
  const LogicalSize extent = dc.GetTextExtentPoint32("L");
  EXPECT_TRUE(QRect(20, 10, extent.cx, extent.cy).contains(ink));
  EXPECT_NEAR(ink.height(), 175, 2);

  // An L: the stem fills the left of the upper half; the bar reaches the right at the bottom.
  const int upper = ink.top() + ink.height() / 4;
  EXPECT_TRUE(IsInk(image, ink.left() + 2, upper));
  EXPECT_FALSE(IsInk(image, ink.right() - 2, upper));
  EXPECT_TRUE(IsInk(image, ink.right() - 2, ink.bottom() - 2));
  EXPECT_GT(qRed(image.pixel(ink.left() + 2, upper)), 200);  // drawn in the text colour
}

TEST(RasterDeviceContextText, OpaqueTextFillsItsBoxWithTheLastFillColour) {
  RasterDeviceContext dc(200, 100, 254, 254);
  dc.SelectFont(MakeFont(dc, 200));
  dc.FillSolidRect(0, 0, 1, -1, kGreen);
  dc.TextOut(10, -10, "ab");
  const LogicalSize extent = dc.GetTextExtentPoint32("ab");
  const QImage image = dc.Image();
  EXPECT_EQ(image.pixel(10, 10), Rgb(kGreen));
  EXPECT_EQ(image.pixel(10 + extent.cx - 1, 10 + extent.cy - 1), Rgb(kGreen));
  EXPECT_EQ(image.pixel(10 + extent.cx + 1, 10), Rgb(kWhite));

  RasterDeviceContext transparent(200, 100, 254, 254);
  transparent.SetBkMode(BackgroundMode::Transparent);
  transparent.FillSolidRect(0, 0, 1, -1, kGreen);
  transparent.TextOut(10, -10, "ab");
  EXPECT_EQ(transparent.Image().pixel(10, 10), Rgb(kWhite));
}

// Drawings of each kind whose topmost pixel is at a device row (at 254 dpi a logical unit is a
// pixel, and logical y grows upwards).
struct Drawing {
  const char* Name;
  std::function<void(RasterDeviceContext&, int top)> Draw;
};

const std::vector<Drawing>& Drawings() {
  static const std::vector<Drawing> drawings = {
      {"fill",
       [](RasterDeviceContext& dc, int top) { dc.FillSolidRect(10, -top, 60, -top - 20, kRed); }},
      {"polygon",
       [](RasterDeviceContext& dc, int top) {
         dc.SelectBrush(Brush{kRed});
         const std::array<LogicalPoint, 4> square{
             {{10, -top - 2}, {60, -top - 2}, {60, -top - 20}, {10, -top - 20}}};
         dc.Polygon(square);
       }},
      {"text",
       [](RasterDeviceContext& dc, int top) {
         dc.SetBkMode(BackgroundMode::Transparent);
         dc.SelectFont(MakeFont(dc, 100));
         dc.TextOut(10, -top, "Hg");
       }},
      {"bitmap",
       [](RasterDeviceContext& dc, int top) {
         static const std::uint32_t pixels[4] = {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000};
         const DibView bitmap{reinterpret_cast<const std::uint8_t*>(pixels), 2, 2, 32, 8, nullptr};
         dc.StretchDIBits(10, -top, 50, -20, 0, 0, 2, 2, bitmap, RasterOp::SrcCopy);
       }},
  };
  return drawings;
}

TEST(RasterDeviceContextHandOver, DrawingBelowTheHandedRowsLeavesThemWithTheReader) {
  for (const Drawing& drawing : Drawings()) {
    SCOPED_TRACE(drawing.Name);
    RasterDeviceContext dc(100, 200, 254, 254);
    int letGo = 0;
    dc.HandOverRowsAbove(50, [&letGo] { ++letGo; });
    drawing.Draw(dc, 60);
    EXPECT_EQ(letGo, 0);
    EXPECT_EQ(dc.HandedOverRows(), 50);
    const QImage image = dc.Image();
    EXPECT_GE(InkBox(image).top(), 50);
    EXPECT_FALSE(InkBox(image).isEmpty());
  }
}

TEST(RasterDeviceContextHandOver, DrawingIntoTheHandedRowsTakesThemBackBeforeItDraws) {
  for (const Drawing& drawing : Drawings()) {
    SCOPED_TRACE(drawing.Name);
    RasterDeviceContext dc(100, 200, 254, 254);
    int letGo = 0;
    QRect inkWhenLetGo;
    dc.HandOverRowsAbove(30, [] {});
    dc.HandOverRowsAbove(20, [] {});  // the row only moves down
    dc.HandOverRowsAbove(50, [&] {
      ++letGo;
      inkWhenLetGo = InkBox(dc.Image());
    });
    EXPECT_EQ(dc.HandedOverRows(), 50);
    drawing.Draw(dc, 40);
    EXPECT_EQ(letGo, 1);
    EXPECT_TRUE(inkWhenLetGo.isEmpty());  // nothing was drawn before the reader let go
    EXPECT_EQ(dc.HandedOverRows(), 0);
    EXPECT_LT(InkBox(dc.Image()).top(), 50);  // the drawing is whole
    // Once taken back, rows are no longer handed over.
    dc.HandOverRowsAbove(100, [&letGo] { ++letGo; });
    EXPECT_EQ(dc.HandedOverRows(), 0);
    drawing.Draw(dc, 10);
    EXPECT_EQ(letGo, 1);
  }
}

TEST(RasterDeviceContextHandOver, PixelsAboutToMoveToACopyAreTakenBackFirst) {
  for (const Drawing& drawing : Drawings()) {
    SCOPED_TRACE(drawing.Name);
    RasterDeviceContext dc(100, 200, 254, 254);
    int letGo = 0;
    dc.HandOverRowsAbove(50, [&letGo] { ++letGo; });
    // Held while drawing goes on: the surface's next drawing goes on in pixels of its own, and
    // the reader of the handed rows must have let go of the ones it had.
    const QImage taken = dc.Image();
    drawing.Draw(dc, 60);
    EXPECT_EQ(letGo, 1);
    EXPECT_EQ(dc.HandedOverRows(), 0);
    EXPECT_TRUE(InkBox(taken).isEmpty());
  }
}

}  // namespace
