// Runs "montage-designer image" as a script would, without a display, on pictures made here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"
#include "support/TestExif.h"
#include "support/TestJpeg.h"

namespace {

class ImageCommandTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return folder_.Write(name, std::string(bytes.begin(), bytes.end())).string();
  }

  // Runs the image command; a run that blocks or waits for a file is ended after 15 s.
  ProgramResult Run(const std::string& arguments) {
    return RunProgram("image " + arguments, folder_.Path(), 15);
  }

  ScratchFolder folder_{"image-command-test"};
};

TEST_F(ImageCommandTest, PrintsSizeDepthResolutionAndOrientation) {
  testsupport::JpegOptions camera;
  camera.width = 120;
  camera.height = 90;
  camera.xDensity = 300;
  camera.yDensity = 150;
  const auto turned =
      testsupport::ExifBuilder(true).Main({testsupport::ShortField(0x0112, 6)}).Payload();
  // A grey picture without Exif data or a density is still read as 32 bits a pixel.
  testsupport::JpegOptions grey;
  grey.width = 33;
  grey.height = 17;
  grey.kind = testsupport::JpegKind::Greyscale;
  grey.densityUnit = 0;
  grey.xDensity = 1;
  grey.yDensity = 1;
  const struct {
    std::string path;
    std::string json;
  } cases[] = {
      {Write("camera.jpg", testsupport::InsertApp1(testsupport::EncodeJpeg(camera), turned)),
       R"({"width":120,"height":90,"bitsPerPixel":32,"resolution":[300,150],"orientation":6})"},
      {Write("grey.jpg", testsupport::EncodeJpeg(grey)),
       R"({"width":33,"height":17,"bitsPerPixel":32,"resolution":[0,0],"orientation":0})"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const ProgramResult result = Run("'" + c.path + "'");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.json + "\n");
    EXPECT_EQ(result.err, "");
  }
}

// The program's own error text, at once: status 1 and not the time limit's 124, since the
// command does not wait for the file to change.
TEST_F(ImageCommandTest, APictureThatCannotBeReadGivesTheErrorTextAndStatusOne) {
  const std::string missing = (folder_.Path() / "missing.jpg").string();
  const struct {
    std::string path;
    std::string err;
  } cases[] = {
      {missing, "File not found: Decoder error: Opening " + missing + " failed\n"},
      {Write("picture.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}),
       "Unexpected Error: Decoder error: Not a JPEG file: starts with 0x89 0x50\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const ProgramResult result = Run("'" + c.path + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.err);
  }
}

TEST_F(ImageCommandTest, WantsExactlyOneFile) {
  EXPECT_EQ(Run("").status, 2);
  EXPECT_EQ(Run("a.jpg b.jpg").status, 2);
}

}  // namespace
