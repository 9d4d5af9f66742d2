// Runs "batch" as a studio would after picture day: a school's index in, a composite per group,
// the report and the summary out, with its refusals, its progress and an interrupted run.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/ProgramRun.h"
#include "support/SchoolFolder.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CsvRecords;

class BatchCommandTest : public testing::Test {
 protected:
  BatchCommandTest() {
    index_ = testsupport::WriteSchoolFolder(folder_.Path() / "school");
    layout_ = folder_.Write("layout.txt", DefaultLayoutText());
  }

  // "batch LAYOUT INDEX -o OUT" and the options.
  std::string Batch(const std::string& options) const {
    return "batch '" + layout_.string() + "' '" + index_.string() + "' -o '" + Out().string() +
           "' " + options;
  }
  fs::path Out() const { return folder_.Path() / "out"; }

  ScratchFolder folder_{"batch-command"};
  fs::path index_;
  fs::path layout_;
};

TEST_F(BatchCommandTest, MakesTheSchoolAndSaysWhatIsMissing) {
  const ProgramResult run = RunProgram(Batch("--dpi 20 --jobs 2"), folder_.Path());
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(run.out, "4 composites, 9 pupils, 2 missing pictures: see report.csv\n");
  EXPECT_EQ(NamesIn(Out()),
            (std::vector<std::string>{"Dr. Lind.jpg", "Mr. Brennan.jpg", "Mrs. Okafor.jpg",
                                      "Staff.jpg", "report.csv"}));
  EXPECT_EQ(CsvRecords(ReadFile(Out() / "report.csv")).size(), 6u);
  // Without a terminal, one line per finished group.
  for (const char* done : {"[1/4] ", "[2/4] ", "[3/4] ", "[4/4] "}) {
    EXPECT_NE(run.err.find(std::string("montage-designer: ") + done), std::string::npos) << run.err;
  }
}

TEST_F(BatchCommandTest, QuietSaysOnlyTheSummary) {
  const ProgramResult run =
      RunProgram(Batch("--dpi 20 --quiet --only Staff --format pdf"), folder_.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // The staff are not pupils.
  EXPECT_EQ(run.out, "1 composite, 0 pupils: see report.csv\n");
  EXPECT_EQ(ReadFile(Out() / "Staff.pdf").substr(0, 4), "%PDF");
}

TEST_F(BatchCommandTest, RefusesBadInputBeforeWritingAnything) {
  const fs::path broken = folder_.Write("broken/INDEX.TXT", "a\tb\tc\r\n");
  struct Case {
    std::string arguments;
    int status;
    std::string message;
  };
  const std::vector<Case> cases = {
      {Batch("--caption2 '{Techer}'"), 2, "caption line 2: unknown field {Techer}"},
      {Batch("--file-name '{Room}'"), 2, "file name: unknown field {Room}"},
      {Batch("--only 'Room 12'"), 2, "no group \"Room 12\" in "},
      {Batch("--format gif"), 2, "--format takes jpg, png or pdf, not \"gif\""},
      {Batch("--jobs 0"), 2, "--jobs takes a whole number from 1 to 256"},
      {Batch("--proof proof.txt"), 2, "--proof names a PDF file (.pdf)"},
      {Batch("--group-by desk"), 2, "--group-by takes teacher, homeroom, grade or none"},
      {Batch("--class '" + index_.string() + "'"), 2, "--class does not apply to batch"},
      {"batch '" + layout_.string() + "' '" + index_.string() + "'", 2, "no output folder given"},
      {"batch '" + layout_.string() + "' '" + broken.string() + "' -o '" + Out().string() + "'", 1,
       broken.string() + ", line 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ProgramResult run = RunProgram(c.arguments, folder_.Path());
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find("montage-designer: " + c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(Out()));
  }
}

// A group drawn by the batch is the very picture render draws of that group of the index, also
// when the batch drew another group before it (text large enough to be drawn from outlines came
// out differently the second time a process drew it); the caption lines the batch is not given
// are empty, not the preview's sample lines.
TEST_F(BatchCommandTest, AGroupIsDrawnAsRenderDrawsIt) {
  const std::string captions = " --caption1 'Class of 2026' --caption2 '{Teacher}, {Count} pupils'";
  ASSERT_EQ(RunProgram(Batch("--dpi 100 --format png --jobs 1 --only 'Mrs. Okafor' --only "
                             "'Mr. Brennan'" +
                             captions),
                       folder_.Path())
                .status,
            3);  // a picture of Mrs. Okafor's class is missing
  const fs::path rendered = folder_.Path() / "rendered.png";
  const ProgramResult render =
      RunProgram("render '" + layout_.string() + "' --class '" + index_.string() +
                     "' --group 'mr. brennan' --dpi 100 -o '" + rendered.string() + "'" + captions +
                     " --caption3 '' --caption4 ''",
                 folder_.Path());
  ASSERT_EQ(render.status, 0) << render.err;
  const QImage batch(QString::fromStdString((Out() / "Mr. Brennan.png").string()));
  const QImage single(QString::fromStdString(rendered.string()));
  ASSERT_FALSE(batch.isNull());
  EXPECT_EQ(batch, single);
}

TEST_F(BatchCommandTest, RenderRefusesAGroupItCannotDraw) {
  const std::string render = "render '" + layout_.string() + "' -o '" +
                             (folder_.Path() / "group.png").string() + "' --group 'Room 4'";
  struct Case {
    std::string arguments;
    std::string message;
  };
  const std::vector<Case> cases = {
      {render, "--group chooses a group of the --class list; give --class too"},
      {render + " --class '" + index_.string() + "'", "no group \"Room 4\" in "},
      {render + " --class '" + index_.string() + "' --group-by homeroom --caption1 '{Room}'",
       "caption line 1: unknown field {Room}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ProgramResult run = RunProgram(c.arguments, folder_.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("montage-designer: " + c.message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder_.Path() / "group.png"));
  }
}

// SIGTERM once the first composite is there: the files being written are finished, nothing
// half-written or temporary stays, and the report says what was done.
TEST_F(BatchCommandTest, AnInterruptedBatchLeavesWholeFilesAndItsReport) {
  const std::string program = MONTAGE_BINARY_DIR "/montage-designer";
  const std::string first = (Out() / "Mrs. Okafor.png").string();
  const ProgramResult run =
      RunShell("'" + program + "' " + Batch("--dpi 300 --jobs 1 --format png --quiet") +
                   " & pid=$!; tries=0; while [ ! -e '" + first +
                   "' ] && [ $tries -lt 6000 ]; do sleep 0.01; tries=$((tries+1)); done; "
                   "kill -TERM $pid; wait $pid; echo \"status $?\"",
               folder_.Path());
  EXPECT_NE(run.out.find("status 130"), std::string::npos) << run.out << run.err;
  EXPECT_NE(run.err.find("montage-designer: interrupted"), std::string::npos) << run.err;
  const auto report = CsvRecords(ReadFile(Out() / "report.csv"));
  ASSERT_EQ(report.size(), 6u);
  std::vector<std::string> expected = {"report.csv"};
  for (std::size_t row = 1; row < 5; ++row) {
    SCOPED_TRACE(report[row][0]);
    const bool written = report[row][11] == "written";
    EXPECT_TRUE(written || report[row][11] == "not started") << report[row][11];
    if (written) expected.push_back(report[row][10]);
  }
  EXPECT_EQ(report[1][11], "written");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(NamesIn(Out()), expected);
}

}  // namespace
