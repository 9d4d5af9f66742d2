#include "layout/LayoutFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "layout/Montage.h"

namespace {

class LayoutFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() / ("layout-file-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
};

TEST_F(LayoutFileTest, ReadsTheBytesOfARegularFile) {
  const auto path = folder_ / "layout.txt";
  const std::string bytes("Montage,2.453,\r\nCropHeight,\0x\n", 30);
  std::ofstream(path, std::ios::binary) << bytes;
  LayoutFile file(path.string());
  ASSERT_TRUE(file.IsOpen());
  const std::string read((std::istreambuf_iterator<char>(file.Stream())),
                         std::istreambuf_iterator<char>());
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(file.Error(), "");
}

TEST_F(LayoutFileTest, RefusesWhatIsNotARegularFile) {
  LayoutFile directory(folder_.string());
  EXPECT_FALSE(directory.IsOpen());
  EXPECT_EQ(directory.Error(), "Is a directory");
  Montage layout;
  EXPECT_FALSE(layout.ReadText(directory.Stream()));

  // Opening a FIFO that nobody writes to must not wait for a writer.
  const auto fifo = folder_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  LayoutFile pipe(fifo.string());
  EXPECT_FALSE(pipe.IsOpen());
  EXPECT_EQ(pipe.Error(), "Not a regular file");

  LayoutFile missing((folder_ / "missing.txt").string());
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.Error(), "No such file or directory");
}

}  // namespace
