// The installed program, run from the tree that `cmake --install` laid out in a prefix of its
// own: it must find the sample pictures and starter layouts installed beside it and draw exactly
// what the program in the build folder draws.
#include <unistd.h>

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kPrefix = MONTAGE_TEST_PREFIX;
const fs::path kInstalledProgram = kPrefix / "bin" / "montage-designer";
const fs::path kDataFolder = kPrefix / "share" / "montage-designer";
const fs::path kSourceLayouts = fs::path(MONTAGE_SOURCE_DIR) / "resources" / "layouts";

// The default preview paper is 10 by 8 inches; at this resolution a composite is 500 by 400
// pixels, small enough to draw quickly in a sanitised build.
constexpr int kDpi = 50;
constexpr int kLongSide = 10 * kDpi;
constexpr int kShortSide = 8 * kDpi;

std::vector<std::string> StarterLayouts() { return NamesIn(kSourceLayouts); }

class InstalledProgramTest : public testing::Test {
 protected:
  // Renders the layout with the given copy of the program and returns the picture it wrote.
  QImage Render(const fs::path& program, const fs::path& layout, const std::string& output) {
    const fs::path out = scratch_.Path() / output;
    const ProgramResult result = RunProgramAt(
        program,
        "render '" + layout.string() + "' -o '" + out.string() + "' --dpi " + std::to_string(kDpi),
        scratch_.Path());
    EXPECT_EQ(result.status, 0) << program << ": " << result.err;
    return QImage(QString::fromStdString(out.string()));
  }

  ScratchFolder scratch_{"installed-program-test"};
};

TEST_F(InstalledProgramTest, DataFilesAreTheBuildsOwn) {
  std::vector<std::string> files = {"SampleImage.jpg", "SampleBackground.jpg", "SampleLogo.jpg"};
  for (const std::string& layout : StarterLayouts()) files.push_back("layouts/" + layout);
  ASSERT_GT(files.size(), 3u) << "no starter layouts in " << kSourceLayouts;
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(fs::is_regular_file(kDataFolder / file));
    EXPECT_EQ(ReadFile(kDataFolder / file), ReadFile(fs::path(MONTAGE_BINARY_DIR) / file));
  }
}

TEST_F(InstalledProgramTest, OnlyTheProgramIsInstalledInBin) {
  ASSERT_TRUE(fs::is_regular_file(kInstalledProgram));
  EXPECT_EQ(::access(kInstalledProgram.c_str(), X_OK), 0);
  // Nothing else lands in bin/: the picture-drawing tools and the tests are for the build only.
  EXPECT_EQ(NamesIn(kPrefix / "bin"), std::vector<std::string>{"montage-designer"});
}

class InstalledRenderTest : public InstalledProgramTest,
                            public testing::WithParamInterface<std::string> {};

// Every starter layout drawn by the installed program is the page of the preview paper at the
// resolution asked for, in the layout's orientation, and pixel for pixel what the built program
// draws: an installed program that missed its sample pictures would draw empty cells instead.
TEST_P(InstalledRenderTest, StarterLayoutRendersAsFromTheBuild) {
  const fs::path layout = kDataFolder / "layouts" / GetParam();
  ASSERT_TRUE(fs::is_regular_file(layout));
  const QImage installed = Render(kInstalledProgram, layout, "installed.png");
  ASSERT_FALSE(installed.isNull());
  const bool portrait = ReadFile(layout).find("\nPortrait,1\n") != std::string::npos;
  EXPECT_EQ(installed.width(), portrait ? kShortSide : kLongSide);
  EXPECT_EQ(installed.height(), portrait ? kLongSide : kShortSide);

  const QImage built =
      Render(fs::path(MONTAGE_BINARY_DIR) / "montage-designer", layout, "built.png");
  EXPECT_TRUE(installed == built) << "the installed program draws another picture";
}

INSTANTIATE_TEST_SUITE_P(StarterLayouts, InstalledRenderTest, testing::ValuesIn(StarterLayouts()));

// A program started through a link elsewhere (as a user's ~/bin or a package manager may make)
// still finds its data beside the real file.
TEST_F(InstalledProgramTest, ProgramStartedThroughALinkFindsItsData) {
  const fs::path link = scratch_.Path() / "montage-designer";
  fs::create_symlink(kInstalledProgram, link);
  const fs::path layout = kDataFolder / "layouts" / StarterLayouts().front();
  const QImage linked = Render(link, layout, "linked.png");
  const QImage direct = Render(kInstalledProgram, layout, "direct.png");
  ASSERT_FALSE(linked.isNull());
  EXPECT_TRUE(linked == direct);
}

}  // namespace
