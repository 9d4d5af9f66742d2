#include "platform/FileReplacement.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

class FileReplacementTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return (scratch_.Path() / name).string(); }
  std::vector<std::string> Names() const { return NamesIn(scratch_.Path()); }

  ScratchFolder scratch_{"file-replacement"};
};

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

// Who writes the file, and what the folder and the file allow, decide whether a new file is
// renamed over the old one, the old one is written in place, or the write is refused. Either way
// the file keeps its other names, its owner, group and permissions. Unprivileged cases run as a
// user whom permissions hold back, in a folder of that user's.
TEST_F(FileReplacementTest, WhereAndHowTheFileIsWritten) {
  enum class Written { NewFile, InPlace, Refused };
  enum class Owner { Writer, Superuser, Unprivileged };
  const struct {
    const char* what;
    bool unprivileged;
    mode_t folderMode;
    std::optional<mode_t> fileMode;  // none: there is no file yet
    Owner owner;
    bool linked;
    Written written;
    const char* outcome;
  } cases[] = {
      {"a new file in its own folder", true, 0700, std::nullopt, Owner::Writer, false,
       Written::NewFile, "replaced"},
      {"a file in its own folder", true, 0700, 0640, Owner::Writer, false, Written::NewFile,
       "replaced"},
      {"a new file in a folder it may write but not read", true, 0300, std::nullopt, Owner::Writer,
       false, Written::NewFile, "replaced"},
      {"a file in a folder it may write but not read", true, 0300, 0644, Owner::Writer, false,
       Written::NewFile, "replaced"},
      {"a file in a folder it may not create files in", true, 0500, 0644, Owner::Writer, false,
       Written::InPlace, "replaced"},
      {"a new file in such a folder", true, 0500, std::nullopt, Owner::Writer, false,
       Written::Refused, "Permission denied"},
      {"a read-only file in such a folder", true, 0500, 0444, Owner::Writer, false,
       Written::Refused, "Permission denied"},
      {"a file it may write but not read, in such a folder", true, 0500, 0200, Owner::Writer, false,
       Written::Refused, "Permission denied"},
      {"a read-only file in its own folder", true, 0700, 0444, Owner::Writer, false,
       Written::Refused, "Permission denied"},
      {"a writable file of the superuser", true, 0700, 0666, Owner::Superuser, false,
       Written::InPlace, "replaced"},
      {"a file with a second name", true, 0700, 0640, Owner::Writer, true, Written::InPlace,
       "replaced"},
      {"the superuser's save of another user's file", false, 0755, 0640, Owner::Unprivileged, false,
       Written::NewFile, "replaced"},
      {"the superuser's save of a file with a second name", false, 0755, 0640, Owner::Unprivileged,
       true, Written::InPlace, "replaced"},
  };
  const bool superuser = ::geteuid() == 0;
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Only the superuser can hand files to other users.
    if (c.owner != Owner::Writer && !superuser) continue;
    const fs::path folder = scratch_.Path() / std::to_string(++number);
    fs::create_directory(folder);
    const fs::path path = folder / "layout.txt";
    if (c.fileMode) {
      std::ofstream(path, std::ios::binary) << "old";
      if (c.linked) {
        ASSERT_EQ(::link(path.c_str(), (folder / "other").c_str()), 0);
      }
      const Owner unprivilegedUser = c.unprivileged ? Owner::Writer : Owner::Unprivileged;
      if (c.owner == unprivilegedUser) testsupport::GiveToUnprivileged(path);
      ASSERT_EQ(::chmod(path.c_str(), *c.fileMode), 0);
    }
    const struct stat before = StatusOf(path);
    if (c.unprivileged) testsupport::GiveToUnprivileged(folder);
    ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
    const auto write = [&] { return Outcome(ReplaceFileContents(path.string(), "new")); };
    const ChildResult child = c.unprivileged
                                  ? testsupport::RunUnprivileged({scratch_.Path()}, write)
                                  : testsupport::RunInChild(write);
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
    if (!child.prepared) GTEST_SKIP() << child.text;
    EXPECT_TRUE(child.ran);
    EXPECT_EQ(child.text, c.outcome);
    const bool fileAfter = c.fileMode || c.written != Written::Refused;
    EXPECT_EQ(NamesIn(folder).size(), std::size_t{fileAfter} + std::size_t{c.linked});
    if (!fileAfter) continue;
    const struct stat after = StatusOf(path);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);  // readable to the test's own user
    EXPECT_EQ(ReadFile(path), c.written == Written::Refused ? "old" : "new");
    if (c.linked) {
      EXPECT_EQ(ReadFile(folder / "other"), "new");
    }
    if (!c.fileMode) continue;  // a new file has no old owner or permissions to keep
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_nlink, before.st_nlink);
    if (c.written != Written::NewFile) {
      EXPECT_EQ(after.st_ino, before.st_ino);
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
      {false, 1024, 12 * 1024, "No space left on device; holds the old contents; 2 names"},
      {false, 16 * 1024, 8 * 1024, "No space left on device; holds the old contents; 2 names"},
      {true, 1024, 12 * 1024, "No space left on device; holds the old contents; 3 names"},
      {true, 16 * 1024, 8 * 1024, "replaced; holds the new contents; 3 names"},
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
      return outcome + "; " + std::to_string(NamesIn(mountPoint).size()) + " names";
    });
    if (!child.prepared) GTEST_SKIP() << "a small file system cannot be mounted: " << child.text;
    EXPECT_TRUE(child.ran);
    EXPECT_EQ(child.text, c.outcome);
  }
}

}  // namespace
