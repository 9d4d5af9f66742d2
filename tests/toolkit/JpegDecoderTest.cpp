#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "BitmapTestSupport.h"
#include "RecordingProgress.h"
#include "support/Raised.h"
#include "support/ScratchFolder.h"
#include "support/TestExif.h"
#include "support/TestJpeg.h"
#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLExifData.h"
#include "toolkit/PLJPEGDecoder.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLWinBmp.h"

using namespace testsupport;

namespace {

using Bytes = std::vector<std::uint8_t>;

class JpegDecoder : public testing::Test {
 protected:
  std::string Write(const std::string& name, const Bytes& bytes) {
    return folder_.Write(name, std::string(bytes.begin(), bytes.end())).string();
  }

  ScratchFolder folder_{"decoder"};
};

// The exception the step must raise.
PLTextException Failure(auto step) { return Raised<PLTextException>(step); }

// Largest and mean absolute difference between decoded pixels and the samples they were made
// from; channels maps a sample component to a byte of the decoded pixel.
struct Difference {
  int largest = 0;
  double mean = 0;
};

Difference Compare(const PLBmp& bmp, const Bytes& samples, int components,
                   const std::vector<int>& channels) {
  Difference result;
  long total = 0;
  long count = 0;
  for (int y = 0; y < bmp.Height(); ++y) {
    const std::uint8_t* row = bmp.RowTable()[y];
    for (int x = 0; x < bmp.Width(); ++x) {
      for (int c = 0; c < components; ++c) {
        const int sample =
            samples[(static_cast<std::size_t>(y) * bmp.Width() + x) * components + c];
        const int decoded = row[x * bmp.BitsPerPixel() / 8 + channels[c]];
        result.largest = std::max(result.largest, std::abs(sample - decoded));
        total += std::abs(sample - decoded);
        ++count;
      }
    }
  }
  result.mean = static_cast<double>(total) / static_cast<double>(count);
  return result;
}

TEST_F(JpegDecoder, DecodesColourStraightInto32Bits) {
  const JpegOptions options{.width = 67, .height = 45, .quality = 98};
  const Bytes samples = PhotoLikeSamples(options.width, options.height, 3);
  const std::string path = Write("colour.jpg", EncodeJpeg(options, samples));

  PLJPEGDecoder decoder;
  PLWinBmp bmp;
  decoder.DecodeFile(path, bmp, 32);
  ASSERT_EQ(bmp.GetSize(), (PLPoint{67, 45}));
  EXPECT_EQ(bmp.BitsPerPixel(), 32);
  EXPECT_FALSE(bmp.Alpha());
  EXPECT_FALSE(bmp.Greyscale());
  // Blue, green, red in memory order; samples are red, green, blue.
  const Difference difference = Compare(bmp, samples, 3, {2, 1, 0});
  EXPECT_LT(difference.mean, 3.0);
  EXPECT_LT(difference.largest, 48);
  // The fourth byte is the same in every pixel, so whole-pixel comparisons work.
  const std::uint8_t fourth = bmp.RowTable()[0][3];
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) ASSERT_EQ(bmp.RowTable()[y][x * 4 + 3], fourth);
  }

  // Memory and progressive input give the same picture.
  const Bytes progressive = EncodeJpeg(
      JpegOptions{.width = 67, .height = 45, .quality = 98, .progressive = true}, samples);
  PLWinBmp fromMemory;
  decoder.DecodeMemory(progressive.data(), progressive.size(), fromMemory);
  EXPECT_EQ(fromMemory.BitsPerPixel(), 32);
  EXPECT_LT(Compare(fromMemory, samples, 3, {2, 1, 0}).mean, 3.0);
}

TEST_F(JpegDecoder, GreyscaleComesOutGreyAtEitherDepth) {
  const JpegOptions options{.width = 30, .height = 20, .kind = JpegKind::Greyscale, .quality = 98};
  const Bytes samples = PhotoLikeSamples(options.width, options.height, 1);
  const std::string path = Write("grey.jpg", EncodeJpeg(options, samples));

  PLJPEGDecoder decoder;
  PLAnyBmp grey;
  decoder.DecodeFile(path, grey);
  EXPECT_EQ(grey.BitsPerPixel(), 8);
  EXPECT_TRUE(grey.Greyscale());
  EXPECT_LT(Compare(grey, samples, 1, {0}).largest, 12);

  PLWinBmp wide;
  decoder.DecodeFile(path, wide, 32);
  ASSERT_EQ(wide.BitsPerPixel(), 32);
  for (int y = 0; y < wide.Height(); ++y) {
    for (int x = 0; x < wide.Width(); ++x) {
      const std::uint8_t* pixel = wide.RowTable()[y] + x * 4;
      ASSERT_EQ(pixel[0], grey.RowTable()[y][x]);
      ASSERT_EQ(pixel[1], pixel[0]);
      ASSERT_EQ(pixel[2], pixel[0]);
      ASSERT_EQ(pixel[3], 255);
    }
  }
}

TEST_F(JpegDecoder, PassesCmykThroughUnconverted) {
  const JpegOptions options{.width = 24, .height = 16, .kind = JpegKind::Cmyk, .quality = 98};
  const Bytes samples = PhotoLikeSamples(options.width, options.height, 4);
  const Bytes jpeg = EncodeJpeg(options, samples);
  PLJPEGDecoder decoder;
  PLWinBmp bmp;
  decoder.DecodeMemory(jpeg.data(), jpeg.size(), bmp, 32);
  EXPECT_EQ(bmp.BitsPerPixel(), 32);
  EXPECT_LT(Compare(bmp, samples, 4, {0, 1, 2, 3}).largest, 12);
}

TEST_F(JpegDecoder, TruncatedFileDecodesWhatIsThere) {
  const Bytes jpeg = EncodeJpeg({.width = 64, .height = 64});
  PLJPEGDecoder decoder;
  PLWinBmp whole;
  decoder.DecodeMemory(jpeg.data(), jpeg.size(), whole);
  PLWinBmp cut;
  const std::string path =
      Write("cut.jpg", Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() * 3 / 5));
  decoder.DecodeFile(path, cut, 32);
  ASSERT_EQ(cut.GetSize(), (PLPoint{64, 64}));
  EXPECT_TRUE(SamePixels(whole, cut, 16));
  EXPECT_FALSE(SamePixels(whole, cut, 64));
  // Nothing but the start of the header is an error, not a picture.
  EXPECT_EQ(Failure([&] { decoder.DecodeMemory(jpeg.data(), 2, cut); }).Code(),
            PL_ERRDECODE_FAILURE);
}

// What is no file to read is refused at once, a pipe without waiting for a writer, in words
// that name the path.
TEST_F(JpegDecoder, OpeningFailuresNameThePathAndTheReason) {
  const std::string folder = folder_.Path().string();
  const std::string locked = Write("locked.jpg", EncodeJpeg());
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  ASSERT_EQ(::mkfifo((folder + "/pipe.jpg").c_str(), 0600), 0);
  const struct {
    std::string path;
    int code;
  } cases[] = {
      {folder + "/missing.jpg", PL_ERRFILE_NOT_FOUND},
      {folder + "/nowhere/a.jpg", PL_ERRPATH_NOT_FOUND},
      {Write("file.jpg", EncodeJpeg()) + "/a.jpg", PL_ERRPATH_NOT_FOUND},
      {Write("empty.jpg", {}), PL_ERRACCESS_DENIED},
      {folder, PL_ERRACCESS_DENIED},
      {folder + "/pipe.jpg", PL_ERRACCESS_DENIED},
      {locked, PL_ERRACCESS_DENIED},
  };
  PLJPEGDecoder decoder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    if (c.path == locked && ::geteuid() == 0) continue;  // the superuser reads every file
    const PLTextException e = Failure([&] { decoder.OpenPath(c.path); });
    EXPECT_EQ(e.Code(), c.code);
    EXPECT_EQ(e.Message(), "Decoder error: Opening " + c.path + " failed\n");
    EXPECT_FALSE(decoder.IsOpen());
  }
}

TEST_F(JpegDecoder, ForeignFileGivesLibjpegsMessage) {
  const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  PLJPEGDecoder decoder;
  PLWinBmp bmp;
  const PLTextException e = Failure([&] { decoder.DecodeFile(Write("p.png", png), bmp, 32); });
  EXPECT_EQ(e.Code(), PL_ERRDECODE_FAILURE);
  EXPECT_EQ(e.Message(), "Decoder error: Not a JPEG file: starts with 0x89 0x50\n\n");
  EXPECT_FALSE(decoder.IsOpen());
}

struct DensityCase {
  bool jfif;
  int unit;
  int x;
  int y;
  PLPoint expected;
};

class JpegDensity : public testing::TestWithParam<DensityCase> {};

TEST_P(JpegDensity, BecomesResolutionInDotsPerInch) {
  const DensityCase& c = GetParam();
  const Bytes jpeg = EncodeJpeg({.width = 8,
                                 .height = 8,
                                 .jfif = c.jfif,
                                 .densityUnit = c.unit,
                                 .xDensity = c.x,
                                 .yDensity = c.y});
  PLJPEGDecoder decoder;
  PLWinBmp bmp;
  decoder.DecodeMemory(jpeg.data(), jpeg.size(), bmp, 32);
  EXPECT_EQ(bmp.Resolution(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, JpegDensity,
    testing::Values(DensityCase{true, 1, 72, 72, {72, 72}},
                    DensityCase{true, 1, 300, 150, {300, 150}}, DensityCase{true, 1, 1, 1, {0, 0}},
                    DensityCase{true, 1, 1, 96, {0, 0}}, DensityCase{true, 2, 28, 28, {71, 71}},
                    DensityCase{true, 2, 50, 118, {127, 299}}, DensityCase{true, 0, 3, 2, {3, 2}},
                    DensityCase{false, 1, 72, 72, {0, 0}}));

TEST_F(JpegDecoder, RefusesADepthBelowThePictures) {
  const Bytes jpeg = EncodeJpeg();
  PLJPEGDecoder decoder;
  decoder.OpenMemory(jpeg.data(), jpeg.size());
  PLWinBmp bmp;
  for (const int bpp : {8, 24}) {
    const PLTextException e = Failure([&] { decoder.ReadImage(bmp, bpp); });
    EXPECT_EQ(e.Code(), PL_ERRDECODE_FAILURE);
    EXPECT_EQ(e.Message(), "Image bit depth doesn't match request.");
  }
  // The failed requests leave the decoder open for a good one.
  decoder.ReadImage(bmp, 32);
  EXPECT_EQ(bmp.GetSize(), (PLPoint{64, 48}));
}

TEST_F(JpegDecoder, HandsOutExifOnlyWhileOpen) {
  const Bytes plain = EncodeJpeg();
  const Bytes withExif =
      InsertApp1(plain, ExifBuilder(true).Main({ShortField(0x0112, 6)}).Payload());
  PLJPEGDecoder decoder;
  PLWinBmp bmp;
  PLExifData exif;
  decoder.OpenPath(Write("exif.jpg", withExif));
  decoder.ReadImage(bmp, 32);
  decoder.TakeExif(exif);
  EXPECT_EQ(exif.NumericValue("main.ori"), 6.0);
  decoder.CloseSource();

  // Without an open file, or for a file without Exif data, the target keeps what it had.
  decoder.TakeExif(exif);
  EXPECT_EQ(exif.NumericValue("main.ori"), 6.0);
  decoder.OpenPath(Write("plain.jpg", plain));
  decoder.TakeExif(exif);
  EXPECT_EQ(exif.NumericValue("main.ori"), 6.0);
  PLExifData empty;
  decoder.TakeExif(empty);
  EXPECT_EQ(empty.NumericValue("main.ori"), 0.0);
}

TEST_F(JpegDecoder, BadExifFailsTheWholeDecode) {
  const Bytes jpeg = InsertApp1(
      EncodeJpeg(), ExifBuilder(false).Main({RawField(0x0112, 13, 1, {6, 0, 0, 0})}).Payload());
  PLJPEGDecoder decoder;
  const PLTextException e = Failure([&] { decoder.OpenPath(Write("bad.jpg", jpeg)); });
  EXPECT_EQ(e.Code(), PL_ERRBAD_EXIF);
  EXPECT_EQ(e.Message(), "EXIF Tag format field not understood");
  EXPECT_FALSE(decoder.IsOpen());
}

TEST_F(JpegDecoder, CanBeReopenedAfterAnyFailure) {
  const std::string good = Write("good.jpg", EncodeJpeg({.width = 10, .height = 12}));
  PLJPEGDecoder decoder;
  PLWinBmp bmp;
  decoder.OpenPath(good);
  EXPECT_THROW(decoder.ReadImage(bmp, 8), PLTextException);
  // Opening again without CloseSource replaces the source left open by the failure.
  decoder.OpenPath(good);
  decoder.ReadImage(bmp, 32);
  EXPECT_EQ(bmp.GetSize(), (PLPoint{10, 12}));
  EXPECT_THROW(decoder.OpenPath(good + ".missing"), PLTextException);
  decoder.DecodeFile(good, bmp);
  EXPECT_EQ(bmp.GetSize(), (PLPoint{10, 12}));
}

TEST_F(JpegDecoder, RefusesFilesDeclaringMoreThan300MegapixelsWhenOpened) {
  const Bytes jpeg = EncodeJpeg({.width = 16, .height = 16});
  PLJPEGDecoder decoder;
  const Bytes huge = WithDeclaredSize(jpeg, 20000, 15001);
  const PLTextException e = Failure([&] { decoder.OpenMemory(huge.data(), huge.size()); });
  EXPECT_EQ(e.Code(), PL_ERRTOO_LARGE);
  EXPECT_EQ(e.Message(), "Decoder error: Picture of 20000 x 15001 pixels is too large\n");
  EXPECT_FALSE(decoder.IsOpen());
  // Exactly at the limit the header is accepted; sides stop at libjpeg's 65500.
  const struct {
    int width, height;
    bool accepted;
  } cases[] = {{20000, 15000, true}, {15000, 20000, true}, {15001, 20000, false},
               {65500, 4580, true},  {65500, 4581, false}, {1, 65500, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const Bytes header = WithDeclaredSize(jpeg, c.width, c.height);
    if (!c.accepted) {
      EXPECT_EQ(Failure([&] { decoder.OpenMemory(header.data(), header.size()); }).Code(),
                PL_ERRTOO_LARGE);
      continue;
    }
    decoder.OpenMemory(header.data(), header.size());
    EXPECT_EQ(decoder.GetSize(), (PLPoint{c.width, c.height}));
    decoder.CloseSource();
  }
}

// A progressive file whose last scan is repeated: each repetition is another full pass.
Bytes WithRepeatedLastScan(const Bytes& jpeg, int repeats) {
  std::size_t lastScan = 0;
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) lastScan = i;
  }
  const Bytes scan(jpeg.begin() + static_cast<long>(lastScan), jpeg.end() - 2);
  Bytes result(jpeg.begin(), jpeg.end() - 2);
  for (int i = 0; i < repeats; ++i) result.insert(result.end(), scan.begin(), scan.end());
  result.insert(result.end(), {0xFF, 0xD9});
  return result;
}

TEST_F(JpegDecoder, StopsProgressiveFilesWithTooManyScans) {
  // Simple progression writes ten scans for a colour picture.
  const Bytes jpeg = EncodeJpeg({.width = 32, .height = 32, .progressive = true});
  PLJPEGDecoder decoder;
  PLWinBmp bmp;
  const Bytes most = WithRepeatedLastScan(jpeg, 490);
  decoder.DecodeMemory(most.data(), most.size(), bmp);
  EXPECT_EQ(bmp.GetSize(), (PLPoint{32, 32}));

  const Bytes tooMany = WithRepeatedLastScan(jpeg, 491);
  const PLTextException e =
      Failure([&] { decoder.DecodeMemory(tooMany.data(), tooMany.size(), bmp); });
  EXPECT_EQ(e.Code(), PL_ERRDECODE_FAILURE);
  EXPECT_EQ(e.Message(), "Decoder error: Progressive JPEG image has more than 500 scans\n\n");
}

TEST_F(JpegDecoder, ReportsProgressUpToCompletion) {
  const std::string path = Write("p.jpg", EncodeJpeg({.width = 40, .height = 200}));
  RecordingProgress progress;
  PLJPEGDecoder decoder;
  PLWinBmp bmp;
  decoder.DecodeFile(path, bmp, 32, &progress);
  ASSERT_GT(progress.parts.size(), 2u);
  EXPECT_TRUE(std::is_sorted(progress.parts.begin(), progress.parts.end()));
  EXPECT_GE(progress.parts.front(), 0.0);
  EXPECT_EQ(progress.parts.back(), 1.0);
}

}  // namespace
