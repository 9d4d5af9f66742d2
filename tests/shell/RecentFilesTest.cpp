#include "shell/RecentFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/Profile.h"

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

TEST(RecentFilesTest, StoringLeavesValuesBeyondTheListAndLoadingSkipsGapsAndRepeats) {
  QTemporaryDir folder;
  Profile profile(folder.filePath("profile.ini").toStdString());
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
