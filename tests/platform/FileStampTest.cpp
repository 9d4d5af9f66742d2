// What the program learns of a path without opening it: whether it names anything, whether it
// is a file to read, and the stamp that tells a changed file from an unchanged one.
#include "platform/FileStamp.h"

#include <gtest/gtest.h>

#include <string>

#include "support/ScratchFolder.h"

namespace {

TEST(FileStamp, ExistenceAndReadableFilesAreTheirOwnQuestions) {
  const ScratchFolder folder("file-stamp");
  const std::string file = folder.Write("a.jpg", "picture").string();
  const std::string inside = folder.Path().string();
  const struct {
    std::string path;
    bool exists;
    bool readableFile;
  } cases[] = {
      {file, true, true},
      {inside, true, false},
      {inside + "/", true, false},
      // One separator at the end is overlooked, but a file is no folder to open.
      {file + "/", true, false},
      {inside + "/b.jpg", false, false},
      {inside + "/*.jpg", false, false},
      {inside + "/?.jpg", false, false},
      {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PathExists(c.path), c.exists) << c.path;
    EXPECT_EQ(IsReadableFile(c.path), c.readableFile) << c.path;
  }
}

TEST(FileStamp, ChangesWithTheFileAndOnlyThen) {
  const ScratchFolder folder("file-stamp");
  const std::string path = folder.Write("list.csv", "one").string();
  const auto first = StampOf(path);
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->Regular);
  EXPECT_EQ(first->Size, 3);
  EXPECT_EQ(StampOf(path), first);

  folder.Write("list.csv", "three");
  EXPECT_NE(StampOf(path), first);
  EXPECT_FALSE(StampOf(folder.Path().string())->Regular);
  EXPECT_FALSE(StampOf(path + ".missing"));
}

}  // namespace
