// Runs "montage-designer image" as a script would, without a display, on pictures made here.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/TestExif.h"
#include "support/TestJpeg.h"

namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

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

  // Runs the command with no display at all. The time limit only ends a run that hangs or
  // waits for a file: it shows as exit status 124.
  Result Run(const std::string& arguments) {
    const auto errPath = folder_ / "stderr.txt";
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 15 '" MONTAGE_BINARY_DIR
        "/montage-designer' image " +
        arguments + " 2>'" + errPath.string() + "'";
    Result result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char chunk[4096];
    for (std::size_t count; (count = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
      result.out.append(chunk, count);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errPath, std::ios::binary);
    result.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return result;
  }

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
