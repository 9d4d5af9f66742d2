// The format check that the test command runs, run outside the project's repository as in a tree
// unpacked from a release tarball: it must list the files itself and still catch a bad one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

const char* const kFolders[] = {"src", "tests", "bench", "fuzz", "tools"};
// Valid C++ that clang-format would lay out differently.
const char kBadlyFormatted[] = "int  Answer( ){return 42;}\n";

class CheckFormatTest : public ::testing::Test {
 protected:
  // The script and the style file, which every tree needs.
  void MakeBareTree(const fs::path& root) const {
    const fs::path source = MONTAGE_SOURCE_DIR;
    fs::create_directories(root / "scripts");
    fs::copy_file(source / "scripts" / "check-format.sh", root / "scripts" / "check-format.sh");
    fs::copy_file(source / ".clang-format", root / ".clang-format");
  }

  // A copy of the project's C++ files without its repository, as a tarball unpacks them.
  void CopyProject(const fs::path& root) const {
    MakeBareTree(root);
    const fs::path source = MONTAGE_SOURCE_DIR;
    for (const char* folder : kFolders) {
      for (const auto& entry : fs::recursive_directory_iterator(source / folder)) {
        const fs::path extension = entry.path().extension();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) continue;
        const fs::path copy = root / fs::relative(entry.path(), source);
        fs::create_directories(copy.parent_path());
        fs::copy_file(entry.path(), copy);
      }
    }
  }

  ProgramResult Check(const fs::path& root) const {
    return RunShell("'" + (root / "scripts" / "check-format.sh").string() + "'", scratch_.Path());
  }

  ScratchFolder scratch_{"check-format-test"};
  const fs::path tree_ = scratch_.Path() / "tree";
};

TEST_F(CheckFormatTest, ACopyOfTheProjectWithoutItsRepositoryPassesUntilAFileIsBad) {
  CopyProject(tree_);
  ASSERT_FALSE(fs::exists(tree_ / ".git"));
  const ProgramResult clean = Check(tree_);
  EXPECT_EQ(clean.status, 0) << clean.err;
  EXPECT_EQ(clean.err, "");

  scratch_.Write("tree/src/cli/Unformatted.cpp", kBadlyFormatted);
  const ProgramResult bad = Check(tree_);
  EXPECT_NE(bad.status, 0);
  EXPECT_NE(bad.err.find("src/cli/Unformatted.cpp"), std::string::npos) << bad.err;
}

TEST_F(CheckFormatTest, EveryFolderOfCodeIsCheckedAndNothingElse) {
  const struct {
    std::string file;
    bool checked;
  } cases[] = {
      {"src/deep/er/Bad.cpp", true},  {"tests/Bad.h", true},
      {"bench/with space.cpp", true}, {"fuzz/Bad.h", true},
      {"tools/sub/Bad.cpp", true},    {"src/notes.txt", false},
      {"tests/helper.py", false},     {"src/Bad.cpp.orig", false},
      {"resources/Bad.cpp", false},   {"build-release/Bad.cpp", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const fs::path root = scratch_.Path() / "bare";
    fs::remove_all(root);
    MakeBareTree(root);
    scratch_.Write("bare/src/Good.cpp", "int Answer() { return 42; }\n");
    scratch_.Write("bare/" + c.file, kBadlyFormatted);
    const ProgramResult result = Check(root);
    if (c.checked) {
      EXPECT_NE(result.status, 0);
      EXPECT_NE(result.err.find(c.file), std::string::npos) << result.err;
    } else {
      EXPECT_EQ(result.status, 0) << result.err;
    }
  }
}

// A tarball unpacked inside some other repository, one that ignores it, must not make the check
// ask that repository for the files and find none.
TEST_F(CheckFormatTest, ATreeInsideAnotherRepositoryListsItsOwnFiles) {
  if (RunShell("git --version", scratch_.Path()).status != 0) GTEST_SKIP() << "no git";
  const fs::path outer = scratch_.Path() / "outer";
  scratch_.Write("outer/.gitignore", "/tree/\n");
  ASSERT_EQ(RunShell("git init -q '" + outer.string() + "'", scratch_.Path()).status, 0);
  MakeBareTree(outer / "tree");
  scratch_.Write("outer/tree/src/Unformatted.cpp", kBadlyFormatted);
  const ProgramResult result = Check(outer / "tree");
  EXPECT_NE(result.status, 0);
  EXPECT_NE(result.err.find("src/Unformatted.cpp"), std::string::npos) << result.err;
}

}  // namespace
