// Runs "montage-designer image" as a script would, without a display, on pictures made here.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/ProgramRun.h"
#include "support/TestExif.h"
#include "support/TestJpeg.h"

namespace {

using Result = ProgramResult;

class ImageCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "image-command-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = (folder_ / name).string();
    testsupport::WriteFile(path, bytes);
    return path;
  }

  // Runs the image command; a run that blocks or waits for a file is ended after 15 s.
  Result Run(const std::string& arguments) { return RunProgram("image " + arguments, folder_, 15); }

  std::filesystem::path folder_;
};

TEST_F(ImageCommandTest, PrintsSizeDepthResolutionAndOrientation) {
  testsupport::JpegOptions options;
  options.width = 120;
  options.height = 90;
  options.xDensity = 300;
  options.yDensity = 150;
  const auto payload =
      testsupport::ExifBuilder(true).Main({testsupport::ShortField(0x0112, 6)}).Payload();
  const std::string path =
      Write("camera.jpg", testsupport::InsertApp1(testsupport::EncodeJpeg(options), payload));
  const Result result = Run("'" + path + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "{\"width\":120,\"height\":90,\"bitsPerPixel\":32,\"resolution\":[300,150],"
            "\"orientation\":6}\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(ImageCommandTest, AGreyPictureWithoutExifOrDensityIsStill32Bits) {
  testsupport::JpegOptions options;
  options.width = 33;
  options.height = 17;
  options.kind = testsupport::JpegKind::Greyscale;
  options.densityUnit = 0;
  options.xDensity = 1;
  options.yDensity = 1;
  const std::string path = Write("grey.jpg", testsupport::EncodeJpeg(options));
  const Result result = Run("'" + path + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "{\"width\":33,\"height\":17,\"bitsPerPixel\":32,\"resolution\":[0,0],"
            "\"orientation\":0}\n");
}

TEST_F(ImageCommandTest, AMissingFileGivesTheErrorTextAndStatusOne) {
  const std::string path = (folder_ / "missing.jpg").string();
  const Result result = Run("'" + path + "'");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "File not found: Decoder error: Opening " + path + " failed\n");
}

TEST_F(ImageCommandTest, AFileThatIsNoJpegFailsAtOnce) {
  const std::string path = Write("picture.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  const Result result = Run("'" + path + "'");
  // Status 1 and not the time limit's 124: the command does not wait for the file to change.
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "Unexpected Error: Decoder error: Not a JPEG file: starts with 0x89 0x50\n");
}

TEST_F(ImageCommandTest, WantsExactlyOneFile) {
  EXPECT_EQ(Run("").status, 2);
  EXPECT_EQ(Run("a.jpg b.jpg").status, 2);
}

}  // namespace
