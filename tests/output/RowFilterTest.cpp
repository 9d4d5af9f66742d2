// The row filter against the PNG filters written out plainly, byte by byte: every row must hold
// the bytes of the filter it names, and that filter must have the most repeated bytes of the
// four, the first of them on ties.
#include "output/RowFilter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cstdlib>
#include <random>
#include <set>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Row y of the picture as red, green and blue bytes; row -1 is all zero.
Bytes Rgb(const QImage& image, int y) {
  Bytes bytes;
  for (int x = 0; x < image.width(); ++x) {
    const QRgb pixel = y < 0 ? 0 : image.pixel(x, y);
    bytes.insert(bytes.end(),
                 {static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
                  static_cast<std::uint8_t>(qBlue(pixel))});
  }
  return bytes;
}

// The filter of the PNG format, as its definition reads.
Bytes Reference(int type, const Bytes& row, const Bytes& above) {
  Bytes out(row.size());
  for (std::size_t i = 0; i < row.size(); ++i) {
    const int a = i >= 3 ? row[i - 3] : 0;
    const int b = above[i];
    const int c = i >= 3 ? above[i - 3] : 0;
    int prediction = 0;
    if (type == RowFilter::kSub) prediction = a;
    if (type == RowFilter::kUp) prediction = b;
    if (type == RowFilter::kPaeth) {
      const int p = a + b - c;
      const int pa = std::abs(p - a);
      const int pb = std::abs(p - b);
      const int pc = std::abs(p - c);
      prediction = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    }
    out[i] = static_cast<std::uint8_t>(row[i] - prediction);
  }
  return out;
}

int Repeats(const Bytes& bytes) {
  int repeats = 0;
  for (std::size_t i = 1; i < bytes.size(); ++i) repeats += bytes[i] == bytes[i - 1];
  return repeats;
}

constexpr std::array<int, 4> kTypes = {RowFilter::kNone, RowFilter::kSub, RowFilter::kUp,
                                       RowFilter::kPaeth};

// Filters rows [top, top + count) and checks each against the reference; returns the types the
// filter chose.
std::vector<int> ExpectFilteredRows(const QImage& image, int top, int count) {
  const std::size_t rowBytes = RowFilter::RowBytes(image.width());
  // A guard byte after the rows catches a write past them.
  Bytes out(rowBytes * static_cast<std::size_t>(count) + 1, 0xA5);
  RowFilter filter(image.width());
  filter.Filter(image, top, count, out.data());
  EXPECT_EQ(out.back(), 0xA5);
  std::vector<int> chosen;
  for (int y = top; y < top + count; ++y) {
    SCOPED_TRACE(testing::Message() << "row " << y);
    const Bytes row = Rgb(image, y);
    const Bytes above = Rgb(image, y - 1);
    const auto start = out.begin() + static_cast<std::ptrdiff_t>(rowBytes) * (y - top);
    const int type = *start;
    const Bytes written(start + 1, start + static_cast<std::ptrdiff_t>(rowBytes));
    chosen.push_back(type);
    EXPECT_EQ(written, Reference(type, row, above));
    int best = -1;
    int bestType = -1;
    for (const int candidate : kTypes) {
      const int repeats = Repeats(Reference(candidate, row, above));
      if (repeats > best) {
        best = repeats;
        bestType = candidate;
      }
    }
    EXPECT_EQ(type, bestType);
  }
  return chosen;
}

QImage Noise(int width, int height, unsigned levels, unsigned seed) {
  QImage image(width, height, QImage::Format_RGB32);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto level = [&] { return static_cast<int>(random() % levels * (256 / levels)); };
      image.setPixel(x, y, qRgb(level(), level(), level()));
    }
  }
  return image;
}

TEST(RowFilter, EveryRowMatchesTheFilterItNamesWhichHasTheMostRepeats) {
  // Noise of few levels and smooth strokes over it give every filter rows where it wins.
  QImage image = Noise(97, 120, 4, 5);
  for (int y = 40; y < 80; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      image.setPixel(x, y, qRgb((x * 3 + y) & 0xFF, (x * y) & 0xFF, (y * 7) & 0xFF));
    }
  }
  const std::vector<int> chosen = ExpectFilteredRows(image, 0, image.height());
  const std::set<int> types(chosen.begin(), chosen.end());
  EXPECT_EQ(types, std::set<int>(kTypes.begin(), kTypes.end())) << "every filter was tried";
}

TEST(RowFilter, PiecesStartingInsideThePictureFilterAgainstTheRowAboveThem) {
  const QImage image = Noise(33, 60, 3, 9);
  ExpectFilteredRows(image, 17, 20);
  ExpectFilteredRows(image, 59, 1);
}

struct ObviousCase {
  const char* Name;
  int Type;
};

class RowFilterObvious : public testing::TestWithParam<ObviousCase> {};

INSTANTIATE_TEST_SUITE_P(Pictures, RowFilterObvious,
                         testing::Values(ObviousCase{"grey row under noise", RowFilter::kNone},
                                         ObviousCase{"ramps across", RowFilter::kSub},
                                         ObviousCase{"row like the one above", RowFilter::kUp},
                                         ObviousCase{"edges down and across", RowFilter::kPaeth}));

// A two-row picture whose second row one filter predicts exactly.
QImage Obvious(int type) {
  QImage image = Noise(64, 2, 256, 21);
  for (int x = 0; x < image.width(); ++x) {
    const int noise = qRed(image.pixel(x, 0));
    switch (type) {
      case RowFilter::kNone:
        image.setPixel(x, 1, qRgb(90, 90, 90));
        break;
      case RowFilter::kSub:
        image.setPixel(x, 1, qRgb(x * 3, x * 3, x * 3));
        break;
      case RowFilter::kUp:
        image.setPixel(x, 1, image.pixel(x, 0));
        break;
      default:
        // Columns that change only at x 32, over a row that changes somewhere else: the pixel
        // above predicts the left half and the pixel to the left the right half, a mix that
        // Paeth alone makes.
        image.setPixel(x, 0, x < 32 ? qRgb(noise, 1, 2) : qRgb(10, 20, 30));
        image.setPixel(x, 1, x < 32 ? qRgb(noise, 1, 2) : qRgb(200, 100, 50));
        break;
    }
  }
  return image;
}

TEST_P(RowFilterObvious, TheFilterThatPredictsTheRowIsChosen) {
  const QImage image = Obvious(GetParam().Type);
  EXPECT_EQ(ExpectFilteredRows(image, 1, 1), std::vector<int>{GetParam().Type}) << GetParam().Name;
}

TEST(RowFilter, OnePixelAndTheFirstRowAgainstZero) {
  QImage one(1, 1, QImage::Format_RGB32);
  one.fill(qRgb(7, 7, 7));
  EXPECT_EQ(ExpectFilteredRows(one, 0, 1), std::vector<int>{RowFilter::kNone});
  QImage argb(5, 3, QImage::Format_ARGB32);
  argb.fill(qRgba(1, 2, 3, 0));
  ExpectFilteredRows(argb, 0, 3);
}

}  // namespace
