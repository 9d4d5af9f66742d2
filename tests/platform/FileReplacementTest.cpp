#include "platform/FileReplacement.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ChildResult;

// What a replacement gave, as one text: "replaced", or the failure.
std::string Outcome(const std::optional<std::string>& failure) {
  return failure.value_or("replaced");
}

struct stat StatusOf(const fs::path& path) {
  struct stat status {};
  ::stat(path.c_str(), &status);
  return status;
}

// The names in a folder, to see that no temporary file was left behind.
std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class FileReplacementTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return (scratch_.Path() / name).string(); }
  std::vector<std::string> Names() const { return NamesIn(scratch_.Path()); }

  ScratchFolder scratch_{"file-replacement"};
};

TEST_F(FileReplacementTest, WritesANewFileAndReplacesAnOldOneKeepingItsPermissions) {
  const std::string path = PathOf("layout.txt");
  EXPECT_EQ(ReplaceFileContents(path, "first"), std::nullopt);
  EXPECT_EQ(ReadFile(path), "first");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  EXPECT_EQ(ReplaceFileContents(path, "second, longer"), std::nullopt);
  EXPECT_EQ(ReadFile(path), "second, longer");
  EXPECT_EQ(StatusOf(path).st_mode & 0777, 0640u);
  EXPECT_EQ(Names(), std::vector<std::string>{"layout.txt"});
}

TEST_F(FileReplacementTest, ALinkKeepsPointingAtTheFileItNames) {
  const std::string target = scratch_.Write("real.txt", "old").string();
  ASSERT_EQ(::symlink(target.c_str(), PathOf("link.txt").c_str()), 0);
  EXPECT_EQ(ReplaceFileContents(PathOf("link.txt"), "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(PathOf("link.txt")));
  EXPECT_EQ(ReadFile(target), "new");
}

TEST_F(FileReplacementTest, FailuresGiveTheSystemsReasonAndLeaveNothingBehind) {
  scratch_.Write("plain", "x");
  ASSERT_EQ(::mkdir(PathOf("folder").c_str(), 0755), 0);
  EXPECT_EQ(ReplaceFileContents(PathOf("plain/file.txt"), "x"), "Not a directory");
  EXPECT_EQ(ReplaceFileContents(PathOf("missing/file.txt"), "x"), "No such file or directory");
  EXPECT_EQ(ReplaceFileContents(PathOf("folder"), "x"), "Is a directory");
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "plain"}));

  // A replacement that could not begin gives its failure to every later call.
  FileReplacement file(PathOf("missing/file.txt"));
  EXPECT_EQ(file.Begin(), "No such file or directory");
  EXPECT_EQ(file.Write("x"), "No such file or directory");
  EXPECT_EQ(file.Finish(), "No such file or directory");
}

// A write that fails part-way, as on a full disk: the file size limit stops the write in a child
// process, so the test itself is not limited. Contents of exactly the limit are written whole;
// one byte more breaks off after the first part was written. A file with a second hard link is
// written in place, and its old contents put back, unless the limit stops that too.
TEST_F(FileReplacementTest, AWriteThatBreaksOffKeepsTheOldFile) {
  const std::string path = PathOf("layout.txt");
  const std::string other = PathOf("other.txt");
  const std::string old = "the old layout";
  const std::string longOld(150, 'o');
  const struct {
    bool linked;
    std::string before;
    std::size_t size;
    std::string outcome;
    std::string after;
  } cases[] = {
      {false, old, 99, "replaced", std::string(99, 'n')},
      {false, old, 100, "replaced", std::string(100, 'n')},
      {false, old, 101, "File too large", old},
      {false, old, 10000, "File too large", old},
      {true, old, 100, "replaced", std::string(100, 'n')},
      {true, old, 101, "File too large", old},
      {true, longOld, 120, "File too large; the old contents could not be put back: File too large",
       std::string(100, 'o')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + (c.linked ? " linked" : ""));
    fs::remove(other);
    scratch_.Write("layout.txt", c.before);
    if (c.linked) {
      ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    }
    const ChildResult child = testsupport::RunInChild([&] {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{100, 100};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      return Outcome(ReplaceFileContents(path, std::string(c.size, 'n')));
    });
    EXPECT_TRUE(child.ran);
    EXPECT_EQ(child.text, c.outcome);
    EXPECT_EQ(ReadFile(path), c.after);
    if (c.linked) {
      EXPECT_EQ(ReadFile(other), c.after);
    }
    const std::vector<std::string> names = c.linked
                                               ? std::vector<std::string>{"layout.txt", "other.txt"}
                                               : std::vector<std::string>{"layout.txt"};
    EXPECT_EQ(Names(), names);
  }
}

TEST_F(FileReplacementTest, ANameWithoutAFolderIsWrittenInTheCurrentOne) {
  // The folder flushed after the rename is "." for a bare name; no contents at all make an
  // empty file.
  const fs::path before = fs::current_path();
  fs::current_path(scratch_.Path());
  const auto bare = ReplaceFileContents("bare.txt", "");
  const auto dotted = ReplaceFileContents("./dotted.txt", "d");
  fs::current_path(before);
  EXPECT_EQ(bare, std::nullopt);
  EXPECT_EQ(dotted, std::nullopt);
  EXPECT_TRUE(fs::exists(PathOf("bare.txt")));
  EXPECT_EQ(ReadFile(PathOf("bare.txt")), "");
  EXPECT_EQ(ReadFile(PathOf("dotted.txt")), "d");
  EXPECT_EQ(Names(), (std::vector<std::string>{"bare.txt", "dotted.txt"}));
}

// Contents handed over in pieces, as an encoder hands them, become the file's only when the
// replacement is finished without a failure; the old file stays otherwise, whichever way it is
// written.
TEST_F(FileReplacementTest, PiecesBecomeTheFilesContentsOnlyWhenFinished) {
  enum class End { Finish, Fail, Drop };
  const struct {
    bool linked;
    End end;
    const char* outcome;
    const char* after;
  } cases[] = {
      {false, End::Finish, "replaced", "new contents"},
      {true, End::Finish, "replaced", "new contents"},
      {false, End::Fail, "the encoder gave up", "old"},
      {true, End::Fail, "the encoder gave up", "old"},
      {false, End::Drop, "", "old"},
      {true, End::Drop, "", "old"},
  };
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(number);
    const fs::path folder = scratch_.Path() / std::to_string(++number);
    const fs::path path = scratch_.Write(folder / "layout.txt", "old");
    if (c.linked) {
      ASSERT_EQ(::link(path.c_str(), (folder / "other.txt").c_str()), 0);
    }
    std::string outcome;
    {
      FileReplacement file(path.string());
      ASSERT_EQ(file.Begin(), std::nullopt);
      EXPECT_EQ(file.Write("new "), std::nullopt);
      EXPECT_EQ(file.Write("contents"), std::nullopt);
      if (c.end == End::Fail) file.Fail("the encoder gave up");
      if (c.end != End::Drop) outcome = Outcome(file.Finish());
    }
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(ReadFile(path), c.after);
    if (c.linked) {
      EXPECT_EQ(ReadFile(folder / "other.txt"), c.after);
    }
    EXPECT_EQ(NamesIn(folder).size(), c.linked ? 2u : 1u);
  }
}

// The file keeps its other names, its owner and group and its permissions; the superuser
// writing another user's file gives the new file that user and group.
TEST_F(FileReplacementTest, HardLinksOwnerAndGroupStayWithTheFile) {
  const struct {
    bool linked;
    bool givenAway;
  } cases[] = {{true, false}, {false, true}, {true, true}};
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(number);
    const fs::path path = scratch_.Write(std::to_string(++number) + ".txt", "old");
    const fs::path other = path.string() + ".link";
    if (c.linked) {
      ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    }
    if (c.givenAway && ::geteuid() != 0) continue;  // only the superuser can give a file away
    if (c.givenAway) testsupport::GiveToUnprivileged(path);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const struct stat before = StatusOf(path);
    EXPECT_EQ(Outcome(ReplaceFileContents(path.string(), "new")), "replaced");
    const struct stat after = StatusOf(path);
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_nlink, before.st_nlink);
    if (c.linked) {
      EXPECT_EQ(after.st_ino, before.st_ino);
      EXPECT_EQ(ReadFile(other), "new");
    }
  }
}

// The writer run by a user whom permissions hold back, in a folder of that user's whose
// permissions each case sets.
TEST_F(FileReplacementTest, FoldersAndFilesTheUserMayNotFullyUse) {
  enum class Written { NewFile, InPlace, Refused };
  const struct {
    const char* what;
    mode_t folderMode;
    std::optional<mode_t> fileMode;  // none: there is no file yet
    bool superusersFile;
    Written written;
    const char* outcome;
  } cases[] = {
      {"a folder it may write but not read", 0300, std::nullopt, false, Written::NewFile,
       "replaced"},
      {"a file in a folder it may write but not read", 0300, 0644, false, Written::NewFile,
       "replaced"},
      {"a file in a folder it may not create files in", 0500, 0644, false, Written::InPlace,
       "replaced"},
      {"a new file in a folder it may not create files in", 0500, std::nullopt, false,
       Written::Refused, "Permission denied"},
      {"a read-only file in such a folder", 0500, 0444, false, Written::Refused,
       "Permission denied"},
      {"a file it may write but not read, in such a folder", 0500, 0200, false, Written::Refused,
       "Permission denied"},
      {"a read-only file in its own folder", 0700, 0444, false, Written::Refused,
       "Permission denied"},
      {"a writable file of the superuser in its own folder", 0700, 0666, true, Written::InPlace,
       "replaced"},
  };
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.superusersFile && ::geteuid() != 0) continue;
    const fs::path folder =
        testsupport::MakeUnprivilegedFolder(scratch_.Path() / std::to_string(++number));
    const fs::path path = folder / "layout.txt";
    struct stat before {};
    if (c.fileMode) {
      std::ofstream(path, std::ios::binary) << "old";
      if (!c.superusersFile) testsupport::GiveToUnprivileged(path);
      ASSERT_EQ(::chmod(path.c_str(), *c.fileMode), 0);
      before = StatusOf(path);
    }
    ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
    const ChildResult child = testsupport::RunUnprivileged(
        {scratch_.Path()}, [&] { return Outcome(ReplaceFileContents(path.string(), "new")); });
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
    if (c.fileMode) {
      ASSERT_EQ(::chmod(path.c_str(), 0600), 0);  // for the test's own user
    }
    if (!child.prepared) GTEST_SKIP() << child.text;
    EXPECT_TRUE(child.ran);
    EXPECT_EQ(child.text, c.outcome);
    if (c.written == Written::Refused) {
      EXPECT_EQ(NamesIn(folder).size(), c.fileMode ? 1u : 0u);
      if (c.fileMode) {
        EXPECT_EQ(ReadFile(path), "old");
      }
      continue;
    }
    EXPECT_EQ(NamesIn(folder), std::vector<std::string>{"layout.txt"});
    EXPECT_EQ(ReadFile(path), "new");
    if (c.written == Written::InPlace) {
      const struct stat after = StatusOf(path);
      EXPECT_EQ(after.st_ino, before.st_ino);
      EXPECT_EQ(after.st_uid, before.st_uid);
      EXPECT_EQ(after.st_gid, before.st_gid);
    }
  }
}

// A file system with no room left: a new file cannot be written beside the old one however
// small, while a file written in place may use the room its old contents leave.
TEST_F(FileReplacementTest, AFullFileSystemKeepsTheOldFileOrWritesInItsRoom) {
  const struct {
    bool linked;
    std::size_t oldSize;
    std::size_t newSize;
    const char* outcome;
  } cases[] = {
      {false, 1024, 12 * 1024, "No space left on device; holds the old contents"},
      {false, 16 * 1024, 8 * 1024, "No space left on device; holds the old contents"},
      {true, 1024, 12 * 1024, "No space left on device; holds the old contents"},
      {true, 16 * 1024, 8 * 1024, "replaced; holds the new contents"},
  };
  const fs::path mountPoint = scratch_.Path() / "small";
  fs::create_directory(mountPoint);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.newSize) + (c.linked ? " linked" : ""));
    const ChildResult child = testsupport::RunOnSmallFileSystem(mountPoint, 64 * 1024, [&] {
      const fs::path path = mountPoint / "layout.txt";
      const std::string old(c.oldSize, 'o');
      const std::string fresh(c.newSize, 'n');
      std::ofstream(path, std::ios::binary) << old;
      if (c.linked) ::link(path.c_str(), (mountPoint / "other.txt").c_str());
      testsupport::FillFileSystem(mountPoint);
      std::string outcome = Outcome(ReplaceFileContents(path.string(), fresh));
      const std::string now = ReadFile(path);
      outcome += now == fresh ? "; holds the new contents"
                 : now == old ? "; holds the old contents"
                              : "; holds something else";
      for (const std::string& name : NamesIn(mountPoint)) {
        if (name != "filler" && name != "layout.txt" && name != "other.txt") outcome += " " + name;
      }
      return outcome;
    });
    if (!child.prepared) GTEST_SKIP() << "a small file system cannot be mounted: " << child.text;
    EXPECT_TRUE(child.ran);
    EXPECT_EQ(child.text, c.outcome);
  }
}

}  // namespace
