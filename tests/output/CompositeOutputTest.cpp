#include "output/CompositeOutput.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QColorSpace>
#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "support/ChildProcess.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"
#include "support/TestJpeg.h"

namespace {

namespace fs = std::filesystem;

// Noise, so that no format can squeeze the picture into the little room a test leaves.
QImage NoisyPicture() {
  QImage image(200, 150, QImage::Format_RGB32);
  std::mt19937 random(7);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) row[x] = 0xFF000000u | (random() & 0xFFFFFFu);
  }
  return image;
}

// Whatever the encoder, a write the disk refuses part-way is reported with the system's reason
// and leaves the old picture, written beside it or in place.
TEST(CompositeOutputTest, AFullDiskKeepsTheOldPictureAndSaysWhy) {
  const struct {
    const char* name;
    OutputFormat format;
    bool linked;
  } cases[] = {
      {"class.png", OutputFormat::Png, false}, {"class.jpg", OutputFormat::Jpeg, false},
      {"class.pdf", OutputFormat::Pdf, false}, {"class.jpg", OutputFormat::Jpeg, true},
      {"class.pdf", OutputFormat::Pdf, true},
  };
  const ScratchFolder scratch("composite-output");
  const fs::path mountPoint = scratch.Path() / "small";
  fs::create_directory(mountPoint);
  const QImage picture = NoisyPicture();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.linked ? " linked" : ""));
    const testsupport::ChildResult child =
        testsupport::RunOnSmallFileSystem(mountPoint, 64 * 1024, [&] {
          const fs::path path = mountPoint / c.name;
          std::ofstream(path, std::ios::binary) << "the old picture";
          if (c.linked) ::link(path.c_str(), (mountPoint / "other").c_str());
          testsupport::FillFileSystem(mountPoint);
          std::string error;
          const bool written =
              WriteComposite(picture, path.string(), c.format, 300, 1000, 800, error);
          return std::string(written ? "written" : error) + "; " + ReadFile(path) + "; " +
                 (c.linked ? ReadFile(mountPoint / "other") : "") + "; " +
                 std::to_string(std::distance(fs::directory_iterator(mountPoint), {}));
        });
    if (!child.prepared) GTEST_SKIP() << "a small file system cannot be mounted: " << child.text;
    EXPECT_TRUE(child.ran);
    EXPECT_EQ(child.text, std::string("No space left on device; the old picture; ") +
                              (c.linked ? "the old picture; 3" : "; 2"));
  }
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// The payload of the first segment with the marker whose payload starts with the signature,
// without the signature; empty when there is none.
std::vector<std::uint8_t> SegmentAfter(const std::vector<testsupport::JpegSegment>& segments,
                                       std::uint8_t marker, const std::string& signature) {
  for (const testsupport::JpegSegment& segment : segments) {
    const std::vector<std::uint8_t>& payload = segment.payload;
    if (segment.marker == marker && payload.size() >= signature.size() &&
        std::equal(signature.begin(), signature.end(), payload.begin())) {
      return {payload.begin() + static_cast<long>(signature.size()), payload.end()};
    }
  }
  return {};
}

// Photo laboratories print from sRGB files that say so, at the resolution the file gives, and
// compress as little as quality 95 does.
TEST(CompositeOutputTest, AJpegCarriesItsResolutionTheSrgbProfileAndQuality95) {
  const ScratchFolder scratch("lab-jpeg");
  const QImage picture = NoisyPicture();
  const std::vector<std::uint8_t> quality95 =
      testsupport::QuantisationTables(testsupport::EncodeJpeg({.quality = 95}));
  const std::string jfif("JFIF\0", 5);
  const std::string icc("ICC_PROFILE\0", 12);
  for (const int dpi : {72, 300, 1200}) {
    SCOPED_TRACE(dpi);
    const fs::path path = scratch.Path() / "class.jpg";
    std::string error;
    ASSERT_TRUE(WriteComposite(picture, path.string(), OutputFormat::Jpeg, dpi, 1000, 800, error))
        << error;
    const std::vector<std::uint8_t> jpeg = Bytes(ReadFile(path));
    const std::vector<testsupport::JpegSegment> segments = testsupport::JpegSegments(jpeg);

    // After the version: units (1, dots per inch), then the horizontal and vertical density.
    const std::vector<std::uint8_t> header = SegmentAfter(segments, 0xE0, jfif);
    ASSERT_GE(header.size(), 7u);
    EXPECT_EQ(header[2], 1);
    EXPECT_EQ((header[3] << 8) | header[4], dpi);
    EXPECT_EQ((header[5] << 8) | header[6], dpi);

    // After the chunk's number and the count of chunks, the profile itself, in one chunk.
    const std::vector<std::uint8_t> chunk = SegmentAfter(segments, 0xE2, icc);
    ASSERT_GT(chunk.size(), 2u);
    EXPECT_EQ(chunk[0], 1);
    EXPECT_EQ(chunk[1], 1);
    const QColorSpace profile = QColorSpace::fromIccProfile(QByteArray(
        reinterpret_cast<const char*>(chunk.data()) + 2, static_cast<qsizetype>(chunk.size() - 2)));
    EXPECT_TRUE(profile.isValid());
    EXPECT_EQ(profile, QColorSpace(QColorSpace::SRgb));

    EXPECT_EQ(testsupport::QuantisationTables(jpeg), quality95);
    EXPECT_EQ(QImage(QString::fromStdString(path.string())).size(), picture.size());
  }
}

}  // namespace
