// The PNG encoder's files read back by two decoders that are not ours, Qt's reader (libpng) and
// ImageMagick's convert, both of which check every chunk's CRC and the stream's Adler-32 sum:
// every pixel must come back as drawn.
#include "output/PngEncoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine/CompositeRenderer.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "platform/RasterDeviceContext.h"
#include "settings/PreviewPage.h"
#include "settings/PreviewSettings.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDotsPerMetreX = 5906;  // 150 dpi
constexpr int kDotsPerMetreY = 3937;  // 100 dpi

// The picture's red, green and blue bytes, row after row, as ImageMagick's rgb: format writes them.
std::string RgbBytes(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  std::string bytes;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const char*>(rgb.constScanLine(y));
    bytes.append(row, static_cast<std::size_t>(rgb.width()) * 3);
  }
  return bytes;
}

class PngEncoderRoundTrip : public testing::Test {
 protected:
  // Encodes the picture and reads it back with Qt's reader; returns the file.
  QByteArray ExpectReadByQt(const QImage& picture) {
    std::string error;
    const QByteArray png = PngEncoder::Encode(picture, kDotsPerMetreX, kDotsPerMetreY, error);
    EXPECT_EQ(error, "");
    QImage decoded;
    EXPECT_TRUE(decoded.loadFromData(png, "PNG"));
    EXPECT_EQ(decoded.size(), picture.size());
    EXPECT_EQ(decoded.dotsPerMeterX(), kDotsPerMetreX);
    EXPECT_EQ(decoded.dotsPerMeterY(), kDotsPerMetreY);
    if (decoded.size() == picture.size()) {
      const QImage expected = picture.convertToFormat(QImage::Format_RGB32);
      const QImage actual = decoded.convertToFormat(QImage::Format_RGB32);
      int differing = 0;
      for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
          differing += (expected.pixel(x, y) & 0xFFFFFF) != (actual.pixel(x, y) & 0xFFFFFF);
        }
      }
      EXPECT_EQ(differing, 0);
    }
    return png;
  }

  // Encodes the picture, has ImageMagick's convert turn the file into raw RGB bytes and compares
  // them with the picture's.
  void ExpectReadByImageMagick(const QImage& picture) {
    const QByteArray png = ExpectReadByQt(picture);
    const fs::path file = folder_.Write("picture.png", png.toStdString());
    const fs::path raw = folder_.Path() / "picture.rgb";
    const ProgramResult convert = RunShell(
        "convert '" + file.string() + "' -depth 8 'rgb:" + raw.string() + "'", folder_.Path());
    ASSERT_EQ(convert.status, 0) << convert.err;
    const std::string expected = RgbBytes(picture);
    const std::string actual = ReadFile(raw);
    ASSERT_EQ(actual.size(), expected.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) differing += actual[i] != expected[i];
    EXPECT_EQ(differing, 0u);
  }

  ScratchFolder folder_{"png-encoder-test"};
};

// The default layout's composite of twenty sample images on the 10 x 8 inch preview paper, drawn
// on a surface of the given size as the render command draws it.
QImage DrawnComposite(int width, int height, int dpi) {
  PreviewSettings settings;
  settings.SetInstallFolder(MONTAGE_BINARY_DIR);
  settings.NumImages = 20;
  const Montage layout;
  RasterDeviceContext dc(width, height, dpi, dpi);
  const DisplayConverter converter;
  const RenderContext context{dc, converter, layout, settings, ImageCache::Instance()};
  DrawComposite(context, PreviewPage(settings, layout), CompositeSubjects(settings.NumImages),
                false);
  return dc.Image();
}

struct CompositeSize {
  int Width;
  int Height;
  int Dpi;
};

class PngEncoderComposite : public PngEncoderRoundTrip,
                            public testing::WithParamInterface<CompositeSize> {};

// One pixel; an odd width whose rows make three pieces; the page at 150 dpi as render writes it
// by default for the benchmark, a dozen pieces.
INSTANTIATE_TEST_SUITE_P(Sizes, PngEncoderComposite,
                         testing::Values(CompositeSize{1, 1, 1}, CompositeSize{301, 1201, 30},
                                         CompositeSize{1500, 1200, 150}));

TEST_P(PngEncoderComposite, DrawnCompositeReadBackByQtAndImageMagick) {
  const CompositeSize size = GetParam();
  const QImage composite = DrawnComposite(size.Width, size.Height, size.Dpi);
  ASSERT_EQ(composite.size(), QSize(size.Width, size.Height));
  ExpectReadByImageMagick(composite);
}

TEST_F(PngEncoderRoundTrip, NoiseEveryByteValueAndManyPieces) {
  // Noise does not shrink, so libdeflate stores it; 2001 rows of 1001 pixels make six pieces.
  QImage noise(1001, 2001, QImage::Format_RGB32);
  std::mt19937 random(7);
  for (int y = 0; y < noise.height(); ++y) {
    for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, random() & 0xFFFFFFu);
  }
  ExpectReadByImageMagick(noise);
}

TEST_F(PngEncoderRoundTrip, FlatColourLongRunsAndGradients) {
  QImage flat(2000, 700, QImage::Format_RGB32);
  flat.fill(qRgb(12, 200, 99));
  ExpectReadByQt(flat);

  QImage gradient(640, 1300, QImage::Format_RGB32);
  for (int y = 0; y < gradient.height(); ++y) {
    for (int x = 0; x < gradient.width(); ++x) {
      gradient.setPixel(x, y, qRgb(x & 0xFF, (x / 3 + y) & 0xFF, (x * y / 7) & 0xFF));
    }
  }
  ExpectReadByQt(gradient);
}

TEST_F(PngEncoderRoundTrip, TinyAndOddlyShapedPicturesInOtherFormats) {
  QImage one(1, 1, QImage::Format_RGB32);
  one.fill(qRgb(255, 0, 128));
  ExpectReadByImageMagick(one);
  // Other formats are converted first.
  QImage column(1, 300, QImage::Format_RGB888);
  column.fill(qRgb(0, 0, 0));
  column.setPixel(0, 150, qRgb(1, 2, 3));
  ExpectReadByQt(column);
  // One row too wide for a piece of its own, broken by one pixel.
  QImage wide(200000, 2, QImage::Format_RGB32);
  wide.fill(qRgb(255, 255, 255));
  wide.setPixel(143210, 1, qRgb(254, 255, 255));
  ExpectReadByQt(wide);
}

// Whatever stops the encoder gives no bytes and the reason, never the end of the program. A
// level that libdeflate does not have fails the compressor's own check on every thread.
TEST(PngEncoderFailures, GiveNoBytesAndTheReason) {
  QImage flat(640, 900, QImage::Format_RGB32);
  flat.fill(qRgb(40, 50, 60));
  const struct {
    const char* what;
    QImage picture;
    int level;
    std::string error;
  } cases[] = {
      {"null picture", QImage(), PngEncoder::DefaultLevel, "the picture is empty"},
      {"level above", flat, 13,
       "the picture could not be compressed: libdeflate has no compression level 13"},
      {"level below", flat, -1,
       "the picture could not be compressed: libdeflate has no compression level -1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    EXPECT_TRUE(PngEncoder::Encode(c.picture, 0, 0, error, c.level).isEmpty());
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
