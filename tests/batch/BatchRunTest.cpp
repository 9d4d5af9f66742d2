// A school's batch run in the process, as the window will run it: the files and the report it
// leaves, what it refuses before drawing, and how it stops when cancelled or when the disk fills.
#include "batch/BatchRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QStandardPaths>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/BatchReport.h"
#include "batch/BatchRequest.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "support/ChildProcess.h"
#include "support/ProgramRun.h"
#include "support/SchoolFolder.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CsvRecords;

class BatchRunTest : public testing::Test {
 protected:
  BatchRunTest() {
    request_.ListPath = testsupport::WriteSchoolFolder(folder_.Path() / "school").string();
    request_.OutputFolder = (folder_.Path() / "out").string();
    request_.Format = OutputFormat::Png;
    request_.Dpi = 20;
    request_.Jobs = 2;
    settings_.SampleCaptionText = {"{Volume}", "{Teacher}, grade {Grade}", "{Count} pupils", ""};
    layout_.PrintNames = true;
  }

  BatchResult Run(const BatchProgressCallback& progress = {}) {
    return RunBatch(layout_, settings_, request_, progress, cancel_);
  }
  std::vector<std::vector<std::string>> Report() const {
    return CsvRecords(ReadFile(fs::path(request_.OutputFolder) / "report.csv"));
  }

  ScratchFolder folder_{"batch-run"};
  Montage layout_;
  PreviewSettings settings_;
  BatchRequest request_;
  std::atomic<bool> cancel_{false};
};

TEST_F(BatchRunTest, MakesAFilePerGroupAndReportsEachGroup) {
  const BatchResult result = Run();
  EXPECT_EQ(result.Outcome, BatchResult::Status::PicturesMissing) << result.Message;
  EXPECT_EQ(result.Summary, "4 composites, 9 pupils, 2 missing pictures: see report.csv");
  EXPECT_EQ(NamesIn(request_.OutputFolder),
            (std::vector<std::string>{"Dr. Lind.png", "Mr. Brennan.png", "Mrs. Okafor.png",
                                      "Staff.png", "report.csv"}));
  const auto report = Report();
  ASSERT_EQ(report.size(), 6u);
  EXPECT_EQ(report[0], (std::vector<std::string>{"Group", "Grade", "Teacher", "Home Room", "Pupils",
                                                 "Main Image", "Missing Pictures",
                                                 "Unreadable Pictures", "Case-Blind Matches",
                                                 "Smallest Name (pt)", "File", "State"}));
  const std::string photos = (folder_.Path() / "school" / "Photos").string();
  struct Row {
    std::string group, grade, teacher, room, pupils, main, missing, caseBlind, file;
  };
  const std::vector<Row> rows = {
      {"Mrs. Okafor", "3", "Mrs. Okafor", "Room 4", "3", "Mrs. Okafor",
       "Cy Cole (" + photos + "/missing-cole.jpg)", "", "Mrs. Okafor.png"},
      {"Mr. Brennan", "4", "Mr. Brennan", "Room 7", "3", "Mr. Brennan", "",
       "Fay Fox (" + photos + "/Fox.JPG -> " + photos + "/fox.jpg)", "Mr. Brennan.png"},
      {"Dr. Lind", "5", "Dr. Lind", "Room 9", "3", "Dr. Lind",
       "'=1+1,ivy Ito (" + photos + "/missing-ito.jpg)", "", "Dr. Lind.png"},
      {"Staff", "", "", "", "2", "Principal Hale", "", "", "Staff.png"},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i].group);
    const std::vector<std::string>& got = report[i + 1];
    ASSERT_EQ(got.size(), 12u);
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.begin() + 7),
              (std::vector<std::string>{rows[i].group, rows[i].grade, rows[i].teacher, rows[i].room,
                                        rows[i].pupils, rows[i].main, rows[i].missing}));
    EXPECT_EQ(got[7], "");
    EXPECT_EQ(got[8], rows[i].caseBlind);
    EXPECT_GT(std::stod(got[9]), 0.0);
    EXPECT_EQ(got[10], rows[i].file);
    EXPECT_EQ(got[11], "written");
  }
  EXPECT_EQ(std::vector<std::string>(report[5].begin(), report[5].begin() + 5),
            (std::vector<std::string>{"Total", "", "", "", "9"}));
  EXPECT_EQ(report[5][10], "4 of 4 written");
}

// A pupil's name from a hostile list reaches the report as text a spreadsheet will not run.
TEST_F(BatchRunTest, ReportDefusesFormulasAndQuotesCommas) {
  request_.Only = {"dr. lind"};
  Run();
  const std::string text = ReadFile(fs::path(request_.OutputFolder) / "report.csv");
  EXPECT_NE(text.find("\"'=1+1,ivy Ito"), std::string::npos) << text;
}

TEST_F(BatchRunTest, OnlyAndFileNamesKeepTheSchoolsNames) {
  struct Case {
    const char* what;
    std::vector<std::string> only;
    std::string fileName;
    std::vector<std::string> files;
  };
  const std::vector<Case> cases = {
      {"one group, any case", {"  STAFF "}, "{Group}", {"Staff.png"}},
      {"two groups, one twice",
       {"Dr. Lind", "mrs. okafor", "Dr. Lind"},
       "{Group}",
       {"Dr. Lind.png", "Mrs. Okafor.png"}},
      {"fields and a slash",
       {},
       "{Grade}/{HomeRoom} {Count}",
       {"3_Room 4 3.png", "4_Room 7 3.png", "5_Room 9 3.png", "_ 2.png"}},
      // Every group is the same file name: numbered in the school's order, so a retake of the
      // third group alone still writes its third name.
      {"collisions", {}, "Class", {"Class (2).png", "Class (3).png", "Class (4).png", "Class.png"}},
      {"a retake of a collided name", {"Dr. Lind"}, "Class", {"Class (3).png"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(request_.OutputFolder);
    request_.Only = c.only;
    request_.FileName = c.fileName;
    const BatchResult result = Run();
    ASSERT_NE(result.Outcome, BatchResult::Status::Failed) << result.Message;
    std::vector<std::string> files = NamesIn(request_.OutputFolder);
    files.erase(std::find(files.begin(), files.end(), "report.csv"));
    EXPECT_EQ(files, c.files);
    EXPECT_EQ(Report().size(), c.files.size() + 2);
  }
}

// Mistakes are told before anything is drawn or made: no output folder, no progress.
TEST_F(BatchRunTest, RefusesBeforeDrawing) {
  struct Case {
    const char* what;
    std::string caption;
    std::string fileName;
    std::vector<std::string> only;
    std::string list;
    BatchResult::Status status;
    std::string message;
  };
  const std::string index = request_.ListPath;
  const fs::path broken = folder_.Write("broken/INDEX.TXT", "a\tb\tc\r\n");
  const std::vector<Case> cases = {
      {"an unknown caption field",
       "{Techer}",
       "{Group}",
       {},
       index,
       BatchResult::Status::Refused,
       "caption line 1: unknown field {Techer}"},
      {"an unknown file-name field",
       "",
       "{Room}",
       {},
       index,
       BatchResult::Status::Refused,
       "file name: unknown field {Room}"},
      {"an unknown group",
       "",
       "{Group}",
       {"Room 12"},
       index,
       BatchResult::Status::Refused,
       "no group \"Room 12\" in " + index +
           "; its groups are \"Mrs. Okafor\", \"Mr. Brennan\", \"Dr. Lind\" and \"Staff\""},
      {"a malformed index",
       "",
       "{Group}",
       {},
       broken.string(),
       BatchResult::Status::Failed,
       broken.string() + ", line 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings_.SampleCaptionText[0] = c.caption;
    request_.FileName = c.fileName;
    request_.Only = c.only;
    request_.ListPath = c.list;
    bool drawn = false;
    const BatchResult result = Run([&drawn](const BatchProgress&) { drawn = true; });
    EXPECT_EQ(result.Outcome, c.status);
    EXPECT_EQ(result.Message.substr(0, c.message.size()), c.message);
    EXPECT_FALSE(drawn);
    EXPECT_FALSE(fs::exists(request_.OutputFolder));
  }
}

TEST_F(BatchRunTest, AFolderThatCannotBeWrittenFailsBeforeDrawing) {
  const fs::path locked = testsupport::MakeUnprivilegedFolder(folder_.Path() / "locked");
  ASSERT_EQ(::chmod(locked.c_str(), 0500), 0);
  for (const fs::path& output : {locked, locked / "new" / "deeper"}) {
    SCOPED_TRACE(output);
    request_.OutputFolder = output.string();
    const testsupport::ChildResult child = testsupport::RunUnprivileged({folder_.Path()}, [this] {
      bool drawn = false;
      const BatchResult result = Run([&drawn](const BatchProgress&) { drawn = true; });
      return std::to_string(static_cast<int>(result.Outcome)) + (drawn ? " drawn " : " ") +
             result.Message;
    });
    if (!child.prepared) GTEST_SKIP() << child.text;
    EXPECT_EQ(child.text.substr(0, 2), "3 ") << child.text;  // Failed, nothing drawn
    EXPECT_NE(child.text.find("Permission denied"), std::string::npos) << child.text;
  }
  ::chmod(locked.c_str(), 0700);
  EXPECT_EQ(NamesIn(locked), std::vector<std::string>{});
}

TEST_F(BatchRunTest, CancelFinishesTheFileBeingWrittenAndReportsWhatWasDone) {
  request_.Jobs = 1;
  const BatchResult result = Run([this](const BatchProgress&) { cancel_ = true; });
  EXPECT_EQ(result.Outcome, BatchResult::Status::Cancelled);
  EXPECT_EQ(result.Summary, "1 of 4 composites, 3 pupils, 1 missing picture: see report.csv");
  EXPECT_EQ(NamesIn(request_.OutputFolder),
            (std::vector<std::string>{"Mrs. Okafor.png", "report.csv"}));
  const auto report = Report();
  ASSERT_EQ(report.size(), 6u);
  EXPECT_EQ(report[1][11], "written");
  for (std::size_t row = 2; row < 5; ++row) EXPECT_EQ(report[row][11], "not started");
  EXPECT_EQ(report[5][10], "1 of 4 written");
}

TEST_F(BatchRunTest, AFullDiskStopsTheBatchWithoutAPartialFile) {
  const fs::path mountPoint = folder_.Path() / "small";
  fs::create_directory(mountPoint);
  request_.OutputFolder = mountPoint.string();
  request_.Dpi = 100;
  request_.Jobs = 1;
  const testsupport::ChildResult child =
      testsupport::RunOnSmallFileSystem(mountPoint, 4 << 20, [this, &mountPoint] {
        // Once the first composite is written the disk fills, but for room for a report.
        const BatchResult result = Run([&mountPoint](const BatchProgress& progress) {
          if (progress.What != BatchProgress::Event::Finished || progress.Done != 1) return;
          testsupport::FillFileSystem(mountPoint);
          fs::resize_file(mountPoint / "filler", fs::file_size(mountPoint / "filler") - 16384);
        });
        std::string text =
            std::to_string(static_cast<int>(result.Outcome)) + "|" + result.Message + "|";
        for (const std::string& name : NamesIn(request_.OutputFolder)) text += name + ";";
        text += "|";
        for (const auto& row : Report()) text += row[0] + "=" + row[11] + ";";
        return text;
      });
  if (!child.prepared) GTEST_SKIP() << "a small file system cannot be mounted: " << child.text;
  EXPECT_TRUE(child.ran) << child.text;
  // Failed; the first groups written, the one that met the full disk gone, the rest not started.
  EXPECT_EQ(child.text.substr(0, 2), "3|") << child.text;
  EXPECT_NE(child.text.find("No space left on device"), std::string::npos) << child.text;
  EXPECT_NE(child.text.find("|Mrs. Okafor.png;filler;report.csv;|"), std::string::npos)
      << child.text;
  EXPECT_NE(child.text.find("Mrs. Okafor=written;Mr. Brennan=failed: "), std::string::npos)
      << child.text;
  EXPECT_NE(child.text.find("Dr. Lind=not started;Staff=not started;"), std::string::npos)
      << child.text;
}

TEST_F(BatchRunTest, TheProofHasAPagePerComposite) {
  if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "pdfinfo is missing";
  request_.ProofPath = (fs::path(request_.OutputFolder) / "proof.pdf").string();
  request_.FileName = "proof";
  request_.Format = OutputFormat::Pdf;
  const BatchResult result = Run();
  ASSERT_EQ(result.Outcome, BatchResult::Status::PicturesMissing) << result.Message;
  // The composites do not take the proof's name.
  EXPECT_TRUE(fs::exists(fs::path(request_.OutputFolder) / "proof (2).pdf"));
  const ProgramResult info = RunShell("pdfinfo '" + request_.ProofPath + "'", folder_.Path());
  const std::size_t pages = info.out.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << info.out;
  EXPECT_EQ(std::stoi(info.out.substr(pages + 6)), 4) << info.out;
}

TEST(BatchSummaryTest, WritesThousandsWithCommas) {
  const std::vector<std::pair<std::size_t, std::string>> cases = {
      {0, "0"}, {999, "999"}, {1000, "1,000"}, {1012, "1,012"}, {1234567, "1,234,567"}};
  for (const auto& [number, text] : cases) EXPECT_EQ(WithThousands(number), text);
}

}  // namespace
