#include <gtest/gtest.h>

#include <QRect>
#include <algorithm>
#include <climits>
#include <random>
#include <set>
#include <vector>

#include "platform/DibStretch.h"
#include "platform/RasterDeviceContext.h"

namespace {

constexpr ColourRef kWhite = 0xFFFFFF;
constexpr ColourRef kBlack = 0x000000;
constexpr ColourRef kRed = MakeColourRef(255, 0, 0);
constexpr ColourRef kGreen = MakeColourRef(0, 160, 0);
constexpr ColourRef kBlue = MakeColourRef(0, 0, 255);
constexpr ColourRef kYellow = MakeColourRef(250, 220, 10);
constexpr ColourRef kGrey = MakeColourRef(90, 90, 90);

QRgb Rgb(ColourRef colour) { return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

// A bitmap laid out as the toolkit keeps it: rows bottom-up, each padded to 4 bytes, colour
// table entries blue, green, red, 0.
struct TestDib {
  std::vector<std::uint8_t> bits;
  std::vector<std::uint8_t> table;
  DibView view;
};

// Pixels are given top row first: palette indices for 1 and 8 bits, colours otherwise.
TestDib MakeDib(int width, int height, int depth, const std::vector<std::uint32_t>& topDown,
                const std::vector<ColourRef>& palette = {}) {
  TestDib dib;
  const int stride = ((width * depth + 7) / 8 + 3) / 4 * 4;
  dib.bits.assign(static_cast<std::size_t>(stride * height), 0);
  for (int row = 0; row < height; ++row) {
    std::uint8_t* line = dib.bits.data() + (height - 1 - row) * stride;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t value = topDown[static_cast<std::size_t>(row * width + x)];
      if (depth == 1) {
        line[x / 8] |= static_cast<std::uint8_t>((value & 1) << (7 - x % 8));
      } else if (depth == 8) {
        line[x] = static_cast<std::uint8_t>(value);
      } else {
        std::uint8_t* pixel = line + x * (depth / 8);
        pixel[0] = static_cast<std::uint8_t>(BlueOf(value));
        pixel[1] = static_cast<std::uint8_t>(GreenOf(value));
        pixel[2] = static_cast<std::uint8_t>(RedOf(value));
        if (depth == 32) pixel[3] = 0x5A;  // whatever the fourth byte holds is not drawn
      }
    }
  }
  // A table always has an entry for every index the depth can hold.
  std::vector<ColourRef> entries = palette;
  if (depth <= 8) entries.resize(std::size_t{1} << depth, kBlack);
  for (const ColourRef colour : entries) {
    dib.table.insert(dib.table.end(), {static_cast<std::uint8_t>(BlueOf(colour)),
                                       static_cast<std::uint8_t>(GreenOf(colour)),
                                       static_cast<std::uint8_t>(RedOf(colour)), 0});
  }
  dib.view = {dib.bits.data(), width,  height,
              depth,           stride, dib.table.empty() ? nullptr : dib.table.data()};
  return dib;
}

void Blit(RasterDeviceContext& dc, const TestDib& dib, int x, int y, int width, int height,
          RasterOp op = RasterOp::SrcCopy) {
  dc.StretchDIBits(x, y, width, height, 0, 0, dib.view.Width, dib.view.Height, dib.view, op);
}

std::set<QRgb> ColoursIn(const QImage& image, const QRect& area) {
  std::set<QRgb> colours;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) colours.insert(image.pixel(x, y));
  }
  return colours;
}

const TestDib& FourColours() {
  static const TestDib dib = MakeDib(2, 2, 32, {kRed, kGreen, kBlue, kYellow});
  return dib;
}

TEST(StretchDIBits, RowZeroIsAtTheTopAndANegativeHeightDrawsDownwards) {
  RasterDeviceContext dc(20, 20, 254, 254);
  Blit(dc, FourColours(), 2, -2, 6, -6);
  const QImage image = dc.Image();
  EXPECT_EQ(ColoursIn(image, QRect(2, 2, 3, 3)), std::set<QRgb>{Rgb(kRed)});
  EXPECT_EQ(ColoursIn(image, QRect(5, 2, 3, 3)), std::set<QRgb>{Rgb(kGreen)});
  EXPECT_EQ(ColoursIn(image, QRect(2, 5, 3, 3)), std::set<QRgb>{Rgb(kBlue)});
  EXPECT_EQ(ColoursIn(image, QRect(5, 5, 3, 3)), std::set<QRgb>{Rgb(kYellow)});
  EXPECT_EQ(image.pixel(8, 8), Rgb(kWhite));
  EXPECT_EQ(image.pixel(1, 1), Rgb(kWhite));
}

TEST(StretchDIBits, APositiveHeightDrawsUpwardsWithoutMirroring) {
  RasterDeviceContext dc(20, 20, 254, 254);
  Blit(dc, FourColours(), 2, -18, 6, 6);
  const QImage image = dc.Image();
  EXPECT_EQ(ColoursIn(image, QRect(2, 12, 3, 3)), std::set<QRgb>{Rgb(kRed)});
  EXPECT_EQ(ColoursIn(image, QRect(5, 15, 3, 3)), std::set<QRgb>{Rgb(kYellow)});
}

TEST(StretchDIBits, StretchingRepeatsAndDropsWholePixels) {
  std::vector<std::uint32_t> ramp;
  for (unsigned i = 0; i < 10; ++i) ramp.push_back(MakeColourRef(20 * i, 255 - 20 * i, 7 * i));
  const TestDib dib = MakeDib(10, 1, 32, ramp);

  // Shrinking by five keeps the middle pixel of every five-pixel group, unblended.
  RasterDeviceContext shrunk(10, 4, 254, 254);
  Blit(shrunk, dib, 0, 0, 5, -1);
  for (int x = 0; x < 5; ++x)
    EXPECT_EQ(shrunk.Image().pixel(x, 0), Rgb(ramp[static_cast<std::size_t>(2 * x + 1)])) << x;

  // Growing three columns to seven repeats each whole, in order: 2, 3 and 2 pixels.
  const TestDib three =
      MakeDib(3, 3, 32, {kRed, kGreen, kBlue, kYellow, kGrey, kBlack, kBlue, kRed, kGreen});
  RasterDeviceContext grown(10, 10, 254, 254);
  Blit(grown, three, 0, 0, 7, -5);
  const QImage image = grown.Image();
  const std::vector<QRgb> top = {Rgb(kRed),   Rgb(kRed),  Rgb(kGreen), Rgb(kGreen),
                                 Rgb(kGreen), Rgb(kBlue), Rgb(kBlue)};
  for (int x = 0; x < 7; ++x) EXPECT_EQ(image.pixel(x, 0), top[static_cast<std::size_t>(x)]);
  const std::set<QRgb> allowed = {Rgb(kRed),    Rgb(kGreen), Rgb(kBlue),
                                  Rgb(kYellow), Rgb(kGrey),  Rgb(kBlack)};
  EXPECT_EQ(ColoursIn(image, QRect(0, 0, 7, 5)), allowed);
}

TEST(StretchDIBits, WideRowsAtAboutTheirOwnSizeTakeEachDrawnPixelFromItsCentre) {
  // Pictures drawn at their own size or a little larger are copied in runs of columns; every
  // drawn pixel must still be the source pixel its centre falls on, for each raster operation,
  // also where the picture is cut by the image's left and right edges.
  std::mt19937 random(3);
  std::vector<std::uint32_t> noise(120 * 3);
  for (std::uint32_t& colour : noise) colour = random() & 0xFFFFFFu;
  const TestDib dib = MakeDib(120, 3, 32, noise);
  const ColourRef ground = MakeColourRef(0x35, 0xCA, 0x6E);
  for (const int drawnWidth : {120, 127, 250}) {
    for (const int left : {0, -9, 30}) {
      for (const RasterOp op : {RasterOp::SrcCopy, RasterOp::SrcAnd, RasterOp::SrcPaint}) {
        SCOPED_TRACE(testing::Message() << drawnWidth << " wide at " << left << ", operation "
                                        << static_cast<int>(op));
        RasterDeviceContext dc(200, 3, 254, 254);
        dc.FillSolidRect(0, 0, 200, -3, ground);
        Blit(dc, dib, left, 0, drawnWidth, -3, op);
        const QImage image = dc.Image();
        for (int y = 0; y < 3; ++y) {
          for (int x = std::max(left, 0); x < std::min(left + drawnWidth, 200); ++x) {
            const int column = ((2 * (x - left) + 1) * 120) / (2 * drawnWidth);
            const QRgb source = Rgb(noise[static_cast<std::size_t>(y * 120 + column)]);
            const QRgb under = Rgb(ground);
            const QRgb expected = op == RasterOp::SrcCopy  ? source
                                  : op == RasterOp::SrcAnd ? (source & under)
                                                           : (source | under);
            ASSERT_EQ(image.pixel(x, y), expected) << x << ", " << y;
          }
        }
        if (left + drawnWidth < 200) {
          EXPECT_EQ(image.pixel(left + drawnWidth, 1), Rgb(ground));
        }
      }
    }
  }
}

TEST(StretchDIBits, DestinationFollowsTheResolution) {
  // 200 x 250 units are 75.6 x 94.5 pixels at 96 dpi, rounded to the nearest pixel edges.
  const TestDib dib = MakeDib(1, 1, 32, {kRed});
  RasterDeviceContext dc(120, 120, 96, 96);
  dc.SetViewportOrigin(QPoint(3, 4));
  Blit(dc, dib, 0, 0, 200, -250);
  const QImage image = dc.Image();
  EXPECT_EQ(ColoursIn(image, QRect(3, 4, 76, 94)), std::set<QRgb>{Rgb(kRed)});
  EXPECT_EQ(image.pixel(79, 50), Rgb(kWhite));
  EXPECT_EQ(image.pixel(50, 98), Rgb(kWhite));
}

TEST(StretchDIBits, EveryDepthDrawsItsOwnColours) {
  RasterDeviceContext dc(20, 20, 254, 254);
  // One bit per pixel across a byte boundary, with a coloured table.
  const std::vector<std::uint32_t> bitsRow = {1, 0, 1, 1, 0, 0, 0, 1, 1, 0};
  const TestDib mono = MakeDib(10, 1, 1, bitsRow, {kGrey, kYellow});
  Blit(dc, mono, 0, 0, 10, -1);
  // Eight bits through the colour table; 24 bits with padded rows.
  const TestDib indexed = MakeDib(3, 2, 8, {2, 0, 1, 1, 1, 2}, {kRed, kGreen, kBlue});
  Blit(dc, indexed, 0, -2, 3, -2);
  const TestDib direct = MakeDib(3, 2, 24, {kBlue, kYellow, kRed, kGrey, kGreen, kBlack});
  Blit(dc, direct, 0, -5, 3, -2);
  const QImage image = dc.Image();
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(image.pixel(x, 0), Rgb(bitsRow[static_cast<std::size_t>(x)] ? kYellow : kGrey));
  }
  const std::vector<ColourRef> eight = {kBlue, kRed, kGreen, kGreen, kGreen, kBlue};
  const std::vector<ColourRef> twentyFour = {kBlue, kYellow, kRed, kGrey, kGreen, kBlack};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(image.pixel(i % 3, 2 + i / 3), Rgb(eight[static_cast<std::size_t>(i)])) << i;
    EXPECT_EQ(image.pixel(i % 3, 5 + i / 3), Rgb(twentyFour[static_cast<std::size_t>(i)])) << i;
  }
}

TEST(StretchDIBits, MaskAndThenPaintDrawsOnlyTheKeyedShape) {
  // The logo's way of being transparent: AND a mask (white where the ground shows, black on
  // the shape), then OR a copy (black where the ground shows, the shape's colours on it).
  const ColourRef w = kWhite, k = kBlack, r = kRed, y = kYellow;
  const TestDib mask = MakeDib(3, 3, 32, {w, k, w, k, k, k, w, k, w});
  const TestDib copy = MakeDib(3, 3, 32, {k, r, k, y, r, y, k, r, k});
  RasterDeviceContext dc(12, 12, 254, 254);
  dc.FillSolidRect(0, 0, 12, -6, kGreen);
  dc.FillSolidRect(0, -6, 12, -12, kBlue);
  Blit(dc, mask, 0, 0, 9, -9, RasterOp::SrcAnd);
  Blit(dc, copy, 0, 0, 9, -9, RasterOp::SrcPaint);
  const QImage image = dc.Image();
  EXPECT_EQ(ColoursIn(image, QRect(0, 0, 3, 3)), std::set<QRgb>{Rgb(kGreen)});
  EXPECT_EQ(ColoursIn(image, QRect(3, 0, 3, 3)), std::set<QRgb>{Rgb(kRed)});
  EXPECT_EQ(ColoursIn(image, QRect(0, 3, 3, 3)), std::set<QRgb>{Rgb(kYellow)});
  EXPECT_EQ(ColoursIn(image, QRect(6, 3, 3, 3)), std::set<QRgb>{Rgb(kYellow)});
  EXPECT_EQ(ColoursIn(image, QRect(6, 6, 3, 3)), std::set<QRgb>{Rgb(kBlue)});
  EXPECT_EQ(ColoursIn(image, QRect(9, 0, 3, 12)), (std::set<QRgb>{Rgb(kGreen), Rgb(kBlue)}));
}

TEST(StretchDIBits, SourceRectangleCountsRowsFromTheBottom) {
  RasterDeviceContext dc(10, 10, 254, 254);
  const TestDib& dib = FourColours();
  // Source (1, 0) of a bottom-up bitmap is the picture's bottom-right pixel.
  dc.StretchDIBits(0, 0, 4, -4, 1, 0, 1, 1, dib.view, RasterOp::SrcCopy);
  dc.StretchDIBits(5, 0, 4, -4, 0, 1, 2, 1, dib.view, RasterOp::SrcCopy);
  const QImage image = dc.Image();
  EXPECT_EQ(ColoursIn(image, QRect(0, 0, 4, 4)), std::set<QRgb>{Rgb(kYellow)});
  EXPECT_EQ(ColoursIn(image, QRect(5, 0, 2, 4)), std::set<QRgb>{Rgb(kRed)});
  EXPECT_EQ(ColoursIn(image, QRect(7, 0, 2, 4)), std::set<QRgb>{Rgb(kGreen)});
}

TEST(StretchDIBits, DrawingIsClippedToTheImageAndTheBitmap) {
  const TestDib dib = MakeDib(4, 1, 32, {kRed, kGreen, kBlue, kYellow});
  RasterDeviceContext dc(6, 6, 254, 254);
  Blit(dc, dib, -2, 0, 4, -1);
  Blit(dc, dib, 4, -1, 4, -1);
  Blit(dc, dib, INT_MAX - 2, 0, INT_MAX, -INT_MAX);
  Blit(dc, dib, INT_MIN, INT_MAX, INT_MAX, INT_MIN);
  // A source rectangle reaching past the bitmap draws only where it has pixels.
  dc.StretchDIBits(0, -3, 6, -1, 2, 0, 6, 1, dib.view, RasterOp::SrcCopy);
  const QImage image = dc.Image();
  EXPECT_EQ(image.pixel(0, 0), Rgb(kBlue));
  EXPECT_EQ(image.pixel(1, 0), Rgb(kYellow));
  EXPECT_EQ(image.pixel(2, 0), Rgb(kWhite));
  EXPECT_EQ(image.pixel(4, 1), Rgb(kRed));
  EXPECT_EQ(image.pixel(5, 1), Rgb(kGreen));
  EXPECT_EQ(image.pixel(0, 3), Rgb(kBlue));
  EXPECT_EQ(image.pixel(1, 3), Rgb(kYellow));
  EXPECT_EQ(image.pixel(2, 3), Rgb(kWhite));
}

TEST(StretchDIBits, BitmapsThatCouldBeReadOutOfBoundsAreNotDrawn) {
  const TestDib good = MakeDib(2, 2, 8, {0, 0, 0, 0}, {kRed});
  std::vector<DibView> bad(6, good.view);
  bad[0].Bits = nullptr;
  bad[1].BitsPerPixel = 16;
  bad[2].BytesPerLine = 1;
  bad[3].ColourTable = nullptr;
  bad[4].Width = -2;
  bad[5].Height = 0;
  RasterDeviceContext dc(4, 4, 254, 254);
  for (const DibView& view : bad)
    dc.StretchDIBits(0, 0, 4, -4, 0, 0, 2, 2, view, RasterOp::SrcCopy);
  dc.StretchDIBits(0, 0, 4, -4, 0, 0, 0, 2, good.view, RasterOp::SrcCopy);
  dc.StretchDIBits(0, 0, 4, -4, 0, 0, 2, -2, good.view, RasterOp::SrcCopy);
  EXPECT_EQ(ColoursIn(dc.Image(), QRect(0, 0, 4, 4)), std::set<QRgb>{Rgb(kWhite)});
}

TEST(StretchDIBits, SourceSidesOfUpTo2To22PixelsAreDrawn) {
  // One-bit bitmaps whose every pixel is palette entry 1, red; one block serves every size.
  constexpr int kSide = 1 << 22;
  std::vector<std::uint8_t> bits((std::size_t{kSide} + 1) * 4, 0xFF);
  const std::vector<std::uint8_t> table = {0, 0, 0, 0, 0, 0, 255, 0};
  const auto view = [&](int width, int height) {
    const int stride = ((width + 7) / 8 + 3) / 4 * 4;
    return DibView{bits.data(), width, height, 1, stride, table.data()};
  };
  const struct {
    int width, height, sourceWidth, sourceHeight;
    bool drawn;
  } cases[] = {
      {kSide, 1, kSide, 1, true},
      {kSide + 1, 1, kSide + 1, 1, false},
      {1, kSide, 1, kSide, true},
      {1, kSide + 1, 1, kSide + 1, false},
      // A source rectangle wider or higher than the limit is refused even on a bitmap within
      // it, rather than clipped to the bitmap.
      {kSide, 1, kSide + 1, 1, false},
      {1, kSide, 1, kSide + 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " from " << c.sourceWidth
                                    << " x " << c.sourceHeight);
    const DibView dib = view(c.width, c.height);
    EXPECT_EQ(DibStretch(dib, {0, 0, c.sourceWidth, c.sourceHeight}).IsDrawable(), c.drawn);
    RasterDeviceContext dc(4, 4, 254, 254);
    dc.StretchDIBits(0, 0, 4, -4, 0, 0, c.sourceWidth, c.sourceHeight, dib, RasterOp::SrcCopy);
    EXPECT_EQ(ColoursIn(dc.Image(), QRect(0, 0, 4, 4)),
              std::set<QRgb>{Rgb(c.drawn ? kRed : kWhite)});
  }
}

}  // namespace
