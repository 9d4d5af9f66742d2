// The program's command-line conventions, run through the built program as a user would, without
// a display: --help and --version, each subcommand's --help, and words it does not know.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

const std::vector<std::string> kSubcommands = {"layout", "image", "grid", "render"};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

class CommandLineTest : public ::testing::Test {
 protected:
  ProgramResult Run(const std::string& arguments) {
    return RunProgram(arguments, scratch_.Path(), 60);
  }
  std::string Quoted(const std::filesystem::path& path) const { return "'" + path.string() + "'"; }

  ScratchFolder scratch_{"command-line-test"};
};

TEST_F(CommandLineTest, HelpShowsTheWindowEverySubcommandAndThePreviewOptions) {
  const ProgramResult help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("usage: montage-designer [LAYOUT]\n", 0), 0u) << help.out;
  EXPECT_EQ(Run("-h").out, help.out);
  // Each subcommand appears with the words and the summary of its own usage, which is the
  // single text both answers are written from.
  for (const std::string& name : kSubcommands) {
    SCOPED_TRACE(name);
    const std::vector<std::string> own = Lines(Run(name + " --help").out);
    ASSERT_GE(own.size(), 2u);
    const std::string prefix = "usage: montage-designer ";
    ASSERT_EQ(own[0].rfind(prefix + name + " ", 0), 0u) << own[0];
    EXPECT_EQ(Occurrences(help.out, "\n  " + own[0].substr(prefix.size()) + "\n"), 1u);
    EXPECT_EQ(Occurrences(help.out, own[1] + "\n"), 1u) << own[1];
  }
  // The preview options are listed once, not once for each subcommand that takes them.
  EXPECT_EQ(Occurrences(help.out, "--landscape-samples"), 1u);
  EXPECT_EQ(Occurrences(help.out, "--caption1 TEXT"), 1u);
  // So is every exit status the program gives, with what it means.
  for (const char* status : {"\n  0  done\n", "\n  1  failed: ", "\n  2  a command line ",
                             "\n  3  done, but pictures of the class list could not be drawn"}) {
    EXPECT_EQ(Occurrences(help.out, status), 1u) << status;
  }
}

TEST_F(CommandLineTest, SubcommandHelpShowsItsOwnUsageWhereverItIsAsked) {
  const struct {
    std::string arguments;
    std::string sameAs;  // the plain form whose output this must equal
    std::vector<std::string> present;
    std::vector<std::string> absent;
  } cases[] = {
      {"render --help", "", {"LAYOUT -o OUT", "--dpi N", "--output OUT", "--images N"}, {"grid"}},
      {"grid -h", "", {"grid LAYOUT [preview options]", "--paper NAME"}, {"--dpi", "-o OUT"}},
      {"layout --help", "", {"layout [FILE]"}, {"--images", "preview options"}},
      {"image --help", "", {"image FILE"}, {"--images", "preview options"}},
      // Help comes anywhere among the options, after other words and options.
      {"render missing.txt --images 5 --help", "render --help", {}, {}},
      {"image a.jpg b.jpg --help", "image --help", {}, {}},
      // A mistake after --help does not hide the usage.
      {"grid --help --bogus", "grid --help", {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ProgramResult result = Run(c.arguments);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    if (!c.sameAs.empty()) {
      EXPECT_EQ(result.out, Run(c.sameAs).out);
    }
    for (const std::string& part : c.present) EXPECT_NE(result.out.find(part), std::string::npos);
    for (const std::string& part : c.absent) EXPECT_EQ(result.out.find(part), std::string::npos);
  }
}

TEST_F(CommandLineTest, AnOptionsValueIsNeverTakenForHelp) {
  // "--help" is the caption's text here, so the command goes on and misses its layout file.
  const ProgramResult result = Run("render --caption1 --help -o x.png");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.rfind("montage-designer: no layout file given\nusage: montage-designer "
                             "render LAYOUT",
                             0),
            0u)
      << result.err;
}

TEST_F(CommandLineTest, VersionIsTheProgramsVersionWhichItsLayoutFilesCarry) {
  const ProgramResult version = Run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_EQ(version.out, "montage-designer 2.453\n");
  // The default layout's first line is "Montage,VERSION,".
  const std::string firstLine = Lines(Run("layout").out).at(0);
  EXPECT_EQ("montage-designer " + firstLine.substr(8, firstLine.size() - 9) + "\n", version.out);
}

TEST_F(CommandLineTest, UnknownWordsAreNamedInOneLineWithExitStatusTwo) {
  const std::string layout = Quoted(scratch_.Write("class.txt", "Montage,2.453,\n"));
  const struct {
    std::string arguments;
    std::string named;
    std::string hint;
  } cases[] = {
      {"--bogus", "unknown option --bogus", "try montage-designer --help"},
      {"-x", "unknown option -x", "try montage-designer --help"},
      {"--", "unknown option --", "try montage-designer --help"},
      {"--Version", "unknown option --Version", "try montage-designer --help"},
      {"rendr", "\"rendr\" is neither a subcommand nor a file", "try montage-designer --help"},
      {"missing.txt", "\"missing.txt\"", "try montage-designer --help"},
      {"rendr --bogus", "unknown option --bogus", "try montage-designer --help"},
      {layout + " extra.txt", "\"extra.txt\" is one too many", "try montage-designer --help"},
      {layout + " -platform offscreen", "unknown option -platform", "try montage-designer --help"},
      {"layout --bogus", "unknown option --bogus", "try montage-designer layout --help"},
      {"image -q picture.jpg", "unknown option -q", "try montage-designer image --help"},
      {"grid " + layout + " --imges 5", "unknown option --imges",
       "try montage-designer grid --help"},
      {"render " + layout + " -o x.png --dpl 5", "unknown option --dpl",
       "try montage-designer render --help"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ProgramResult result = Run(c.arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Occurrences(result.err, "\n"), 1u) << result.err;
    EXPECT_EQ(result.err.rfind("montage-designer: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(c.named), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(c.hint), std::string::npos) << result.err;
  }
}

TEST_F(CommandLineTest, WithoutASubcommandTheWindowSaysItNeedsADisplay) {
  // An existing file and anything written as a path are layouts for the window to open; the
  // window reports itself a path that names nothing.
  scratch_.Write("-dash.txt", "Montage,2.453,\n");
  for (const std::string& arguments :
       {std::string(), Quoted(scratch_.Write("class.txt", "")), Quoted(scratch_.Path() / "no.txt"),
        "'" + scratch_.Path().string() + "/-dash.txt'"}) {
    SCOPED_TRACE(arguments);
    const ProgramResult result = Run(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "montage-designer: the designer window needs a display (DISPLAY or "
              "WAYLAND_DISPLAY); the subcommands layout, image, grid, render and batch work "
              "without one; try montage-designer --help\n");
  }
}

}  // namespace
