#include "layout/LayoutFile.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <iterator>

#include "LayoutSamples.h"
#include "layout/Montage.h"
#include "support/ScratchFolder.h"

namespace {

using Outcome = LayoutReadResult::Outcome;

class LayoutFileTest : public ::testing::Test {
 protected:
  ScratchFolder folder_{"layout-file-test"};
};

TEST_F(LayoutFileTest, ReadsTheBytesOfARegularFile) {
  const std::string bytes("Montage,2.453,\r\nCropHeight,\0x\n", 30);
  LayoutFile file(folder_.Write("layout.txt", bytes).string());
  ASSERT_TRUE(file.IsOpen());
  const std::string read((std::istreambuf_iterator<char>(file.Stream())),
                         std::istreambuf_iterator<char>());
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(file.Error(), "");
}

// What cannot be opened as a file is refused at once: opening a FIFO that nobody writes to must
// not wait for a writer. A refused file, or one that breaks off part-way through (the process's
// own memory read from its start), leaves the layout exactly as it was.
TEST_F(LayoutFileTest, ReadingALayoutFileEndsInOneOfItsOutcomes) {
  ASSERT_EQ(::mkfifo((folder_.Path() / "fifo").c_str(), 0600), 0);
  const std::string current = TextOf(EveryFieldChanged());
  const struct {
    std::string path;
    Outcome outcome;
    std::string message;
  } cases[] = {
      {folder_.Write("layout.txt", current).string(), Outcome::Read, ""},
      {folder_.Path().string(), Outcome::CannotOpen, "Is a directory"},
      {(folder_.Path() / "fifo").string(), Outcome::CannotOpen, "Not a regular file"},
      {(folder_.Path() / "missing.txt").string(), Outcome::CannotOpen, "No such file or directory"},
      {"/proc/self/mem", Outcome::CannotRead, "Input/output error"},
      {folder_.Write("notes.txt", "Dear diary,\n").string(), Outcome::NotALayout,
       "The file is not a layout file."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    Montage layout;
    const LayoutReadResult read = ReadLayoutFromFile(c.path, layout);
    EXPECT_EQ(read.What, c.outcome);
    EXPECT_EQ(read.Message, c.message);
    EXPECT_EQ(TextOf(layout), c.outcome == Outcome::Read ? current : TextOf(Montage()));
  }
}

TEST_F(LayoutFileTest, TheFileIsReadOverTheLayout) {
  Montage layout = EveryFieldChanged();
  ASSERT_TRUE(ReadLayoutFromFile(
      folder_.Write("short.txt", "Montage,2.453,\nCropHeight,4\n").string(), layout));
  EXPECT_EQ(layout.CropHeight, 4u);
  EXPECT_EQ(layout.OuterMarginColour, "010203");
}

TEST_F(LayoutFileTest, TheStreamOfAFileThatIsNotOpenIsNoLayout) {
  LayoutFile directory(folder_.Path().string());
  EXPECT_FALSE(directory.IsOpen());
  Montage layout;
  EXPECT_EQ(layout.ReadText(directory.Stream()).What, Outcome::NotALayout);
}

}  // namespace
