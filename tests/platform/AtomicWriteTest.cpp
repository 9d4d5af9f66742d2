#include "platform/AtomicWrite.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class AtomicWriteTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const {
    return folder_.filePath(QString::fromStdString(name)).toStdString();
  }
  // The names in the folder, to see that no temporary file was left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path().toStdString())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  QTemporaryDir folder_;
};

TEST_F(AtomicWriteTest, WritesANewFileAndReplacesAnOldOneKeepingItsPermissions) {
  const std::string path = PathOf("layout.txt");
  EXPECT_EQ(WriteFileAtomically(path, "first"), std::nullopt);
  EXPECT_EQ(Contents(path), "first");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  EXPECT_EQ(WriteFileAtomically(path, "second, longer"), std::nullopt);
  EXPECT_EQ(Contents(path), "second, longer");
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  EXPECT_EQ(Names(), std::vector<std::string>{"layout.txt"});
}

TEST_F(AtomicWriteTest, ALinkKeepsPointingAtTheFileItNames) {
  const std::string target = PathOf("real.txt");
  std::ofstream(target) << "old";
  ASSERT_EQ(::symlink(target.c_str(), PathOf("link.txt").c_str()), 0);
  EXPECT_EQ(WriteFileAtomically(PathOf("link.txt"), "new"), std::nullopt);
  EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.txt")));
  EXPECT_EQ(Contents(target), "new");
}

TEST_F(AtomicWriteTest, FailuresGiveTheSystemsReasonAndLeaveNothingBehind) {
  std::ofstream(PathOf("plain")) << "x";
  ASSERT_EQ(::mkdir(PathOf("folder").c_str(), 0755), 0);
  EXPECT_EQ(WriteFileAtomically(PathOf("plain/file.txt"), "x"), "Not a directory");
  EXPECT_EQ(WriteFileAtomically(PathOf("missing/file.txt"), "x"), "No such file or directory");
  EXPECT_EQ(WriteFileAtomically(PathOf("folder"), "x"), "Is a directory");
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "plain"}));
}

// A write that fails part-way, as on a full disk: the file size limit stops the write in a child
// process, so the test itself is not limited. Contents of exactly the limit are written whole;
// one byte more breaks off after the first part was written.
TEST_F(AtomicWriteTest, AWriteThatBreaksOffKeepsTheOldFile) {
  const std::string path = PathOf("layout.txt");
  const struct {
    std::size_t size;
    bool written;
  } cases[] = {{99, true}, {100, true}, {101, false}, {10000, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    std::ofstream(path) << "the old layout";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{100, 100};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      const std::optional<std::string> expected =
          c.written ? std::nullopt : std::optional<std::string>("File too large");
      ::_exit(WriteFileAtomically(path, std::string(c.size, 'n')) == expected ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Contents(path), c.written ? std::string(c.size, 'n') : "the old layout");
    EXPECT_EQ(Names(), std::vector<std::string>{"layout.txt"});
  }
}

TEST_F(AtomicWriteTest, ANameWithoutAFolderIsWrittenInTheCurrentOne) {
  // The folder flushed after the rename is "." for a bare name; no contents at all make an
  // empty file.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path().toStdString());
  const auto bare = WriteFileAtomically("bare.txt", "");
  const auto dotted = WriteFileAtomically("./dotted.txt", "d");
  std::filesystem::current_path(before);
  EXPECT_EQ(bare, std::nullopt);
  EXPECT_EQ(dotted, std::nullopt);
  EXPECT_TRUE(std::filesystem::exists(PathOf("bare.txt")));
  EXPECT_EQ(Contents(PathOf("bare.txt")), "");
  EXPECT_EQ(Contents(PathOf("dotted.txt")), "d");
  EXPECT_EQ(Names(), (std::vector<std::string>{"bare.txt", "dotted.txt"}));
}

}  // namespace
