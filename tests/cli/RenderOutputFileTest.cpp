// "montage-designer render -o" writing over files and into folders that a user whom permissions
// hold back may not fully use, run as that user. Where no new file may be made, and where the
// second name shows the new picture, the file was written in place.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/ChildProcess.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

TEST(RenderOutputFileTest, OutputsReplaceFilesTheUserMayWriteWhereverTheyLie) {
  const struct {
    const char* what;
    const char* name;
    mode_t folderMode;
    bool fileExists;
    bool linked;
    const char* magic;  // the start of the file afterwards
  } cases[] = {
      {"over a file in a folder it may not create files in", "class.png", 0500, true, false,
       "\x89PNG"},
      {"a PDF over such a file", "class.pdf", 0500, true, false, "%PDF"},
      {"a JPEG over a file with a second name", "class.jpg", 0700, true, true, "\xFF\xD8\xFF"},
      {"into a folder it may write but not read", "class.png", 0300, false, false, "\x89PNG"},
      {"a new file in a folder it may not create files in", "class.png", 0500, false, false, ""},
  };
  const ScratchFolder scratch("render-output-file");
  const fs::path runs = testsupport::MakeUnprivilegedFolder(scratch.Path() / "runs");
  const fs::path layout = scratch.Write("layout.txt", RunProgram("layout", scratch.Path()).out);
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder =
        testsupport::MakeUnprivilegedFolder(scratch.Path() / std::to_string(++number));
    const fs::path output = folder / c.name;
    if (c.fileExists) {
      std::ofstream(output, std::ios::binary) << "the old picture";
      testsupport::GiveToUnprivileged(output);
      if (c.linked) {
        ASSERT_EQ(::link(output.c_str(), (folder / "other").c_str()), 0);
      }
    }
    ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
    const testsupport::ChildResult child =
        testsupport::RunUnprivileged({scratch.Path(), MONTAGE_BINARY_DIR "/montage-designer"}, [&] {
          const ProgramResult run = RunProgram(
              "render '" + layout.string() + "' --dpi 30 -o '" + output.string() + "'", runs);
          return std::to_string(run.status) + " " + run.err;
        });
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
    if (!child.prepared) GTEST_SKIP() << child.text;
    EXPECT_TRUE(child.ran);
    if (*c.magic == '\0') {
      EXPECT_EQ(child.text.substr(0, 2), "1 ");
      EXPECT_NE(child.text.find(output.string() + ": Permission denied"), std::string::npos)
          << child.text;
      EXPECT_FALSE(fs::exists(output));
      continue;
    }
    EXPECT_EQ(child.text.substr(0, 2), "0 ") << child.text;
    EXPECT_EQ(ReadFile(output).substr(0, std::string(c.magic).size()), c.magic);
    if (c.linked) {
      EXPECT_EQ(ReadFile(folder / "other"), ReadFile(output));
    }
  }
}

}  // namespace
