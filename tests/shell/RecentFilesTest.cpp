#include "shell/RecentFiles.h"

#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "support/ScratchFolder.h"

namespace {

using Entries = std::deque<std::string>;

TEST(RecentFilesTest, PathsAreComparedByteForByte) {
  RecentFiles recent;
  recent.Add("/a/Class.txt");
  recent.Add("/a/class.txt");
  recent.Add("/a/Class.txt");
  recent.Add("");
  EXPECT_EQ(recent.Entries(), (Entries{"/a/Class.txt", "/a/class.txt"}));
  EXPECT_FALSE(recent.Remove("/A/class.txt"));
  EXPECT_TRUE(recent.Remove("/a/class.txt"));
  EXPECT_EQ(recent.Entries(), Entries{"/a/Class.txt"});
}

TEST(RecentFilesTest, HoldsFifteenPathsAndDropsTheOldestForASixteenth) {
  const struct {
    std::size_t added, kept;
  } cases[] = {{1, 1}, {14, 14}, {15, 15}, {16, 15}, {40, 15}};
  for (const auto& c : cases) {
    RecentFiles recent;
    for (std::size_t n = 1; n <= c.added; ++n) recent.Add("/" + std::to_string(n) + ".txt");
    ASSERT_EQ(recent.Entries().size(), c.kept) << c.added;
    EXPECT_EQ(recent.Entries().front(), "/" + std::to_string(c.added) + ".txt");
    EXPECT_EQ(recent.Entries().back(), "/" + std::to_string(c.added - c.kept + 1) + ".txt");
    // Adding a path already listed moves it to the front without dropping another.
    recent.Add(recent.Entries().back());
    EXPECT_EQ(recent.Entries().size(), c.kept) << c.added;
  }
}

TEST(RecentFilesTest, StoringLeavesValuesBeyondTheListAndLoadingSkipsGapsAndRepeats) {
  ScratchFolder folder("montage-recent");
  Profile profile((folder.Path() / "profile.ini").string());
  profile.WriteText("Settings", "RecentFilePath04", "/older.txt");
  RecentFiles recent;
  recent.Add("/b.txt");
  recent.Add("/a.txt");
  recent.Store(profile);
  EXPECT_EQ(profile.ReadText("Settings", "RecentFilePath00", ""), "/a.txt");
  EXPECT_EQ(profile.ReadText("Settings", "RecentFilePath01", ""), "/b.txt");
  EXPECT_EQ(profile.ReadText("Settings", "RecentFilePath04", ""), "/older.txt");
  profile.WriteText("Settings", "RecentFilePath06", "/a.txt");
  profile.WriteText("Settings", "RecentFilePath14", "/last.txt");
  profile.WriteText("Settings", "RecentFilePath15", "/beyond.txt");

  RecentFiles loaded;
  loaded.Load(profile);
  EXPECT_EQ(loaded.Entries(), (Entries{"/a.txt", "/b.txt", "/older.txt", "/last.txt"}));
}

}  // namespace
