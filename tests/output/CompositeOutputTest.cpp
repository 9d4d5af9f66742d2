#include "output/CompositeOutput.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "support/ChildProcess.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

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

}  // namespace
