#include "shell/CMontageDoc.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "layout/Montage.h"
#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "shell/DocumentView.h"
#include "shell/FileErrors.h"
#include "support/ChildProcess.h"
#include "support/HintRecorder.h"
#include "support/LayoutText.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

constexpr char kSaveChanges[] = "Do you want to save changes to the current layout?";
constexpr char kFilter[] = "Zoved Layout File (*.txt)|*.txt||";

class DocumentTest : public testing::Test {
 protected:
  DocumentTest() { document.AddView(recorder); }
  ~DocumentTest() override { document.RemoveView(recorder); }

  std::string PathOf(const std::string& name) const { return (folder.Path() / name).string(); }
  // A layout file that differs from the defaults.
  std::string WriteLayout(const std::string& name, std::uint32_t cropHeight = 7) const {
    Montage layout;
    layout.CropHeight = cropHeight;
    layout.NameFont.FontName = "Liberation Serif";
    return folder.Write(name, TextOf(layout)).string();
  }
  // The document as the form leaves it after applying an edit.
  void Edit(std::uint32_t cropWidth = 5) {
    document.layout().CropWidth = cropWidth;
    document.LayoutChanged();
  }
  std::string LastLayoutFile() const {
    return profile.ReadText("Settings", "ZovedLayoutFile", "<none>");
  }
  // Saves the layout as the target, as the Save As dialog would, and tells how that left the
  // document and what the user was told.
  std::string SaveAsOutcome(const std::string& target) {
    questions.Forget();
    questions.AnswerPath(target);
    std::string outcome = document.SaveAs() ? "saved" : "not saved";
    outcome += document.IsModified() ? ", modified" : ", unmodified";
    if (document.path() == target) outcome += ", named";
    if (document.failedPath() == target) outcome += ", failed";
    if (LastLayoutFile() == target) outcome += ", remembered";
    for (const std::string& message : questions.Messages()) outcome += "; " + message;
    return outcome;
  }

  ScratchFolder folder{"montage-document"};
  Profile profile{PathOf("profile.ini")};
  CMontageDoc document{profile};
  HintRecorder recorder;
  ScopedScriptedQuestions questions;
};

TEST_F(DocumentTest, StartsWithTheDefaultLayoutUnmodifiedAndWithoutAFile) {
  EXPECT_EQ(TextOf(document.layout()), TextOf(Montage()));
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.path(), "");
  EXPECT_EQ(document.UndoText(), "Undo \tCtrl+Z");
  document.SetVersionTitle();
  EXPECT_EQ(document.Title(), "Version V2.453");
}

TEST_F(DocumentTest, AppliedEditsTellTheViewsAndMarkTheDocumentModified) {
  Edit();
  EXPECT_EQ(recorder.hints, std::vector<unsigned>{HintLayoutEdited});
  EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentTest, NewOnAnUnmodifiedLayoutAsksNothing) {
  document.layout().CropHeight = 3;  // typed but never applied
  EXPECT_TRUE(document.OnNewDocument());
  EXPECT_TRUE(questions.Asked().empty());
  EXPECT_EQ(document.layout().CropHeight, 10u);
  EXPECT_EQ(recorder.hints, std::vector<unsigned>{HintReloaded});
}

TEST_F(DocumentTest, NewOnAModifiedLayoutFollowsTheAnswer) {
  const struct {
    QuestionAnswer answer;
    bool replaced;
  } cases[] = {{QuestionAnswer::Cancel, false}, {QuestionAnswer::No, true}};
  for (const auto& c : cases) {
    Edit(5);
    questions.Forget();
    questions.AnswerYesNoCancel(c.answer);
    EXPECT_TRUE(document.OnNewDocument());
    ASSERT_EQ(questions.Asked().size(), 1u);
    EXPECT_EQ(questions.Asked()[0].Text, kSaveChanges);
    EXPECT_EQ(document.layout().CropWidth, c.replaced ? 8u : 5u);
    // New leaves the modified flag alone: closing afterwards asks again.
    EXPECT_TRUE(document.IsModified());
  }
}

TEST_F(DocumentTest, NewAfterSavingToTheLayoutsOwnFile) {
  const std::string path = WriteLayout("class.txt");
  ASSERT_TRUE(document.ReadLayoutFile(path));
  Edit(5);
  questions.AnswerYesNoCancel(QuestionAnswer::Yes);
  document.OnNewDocument();
  Montage saved;
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(saved.ReadText(in));
  EXPECT_EQ(saved.CropWidth, 5u);
  EXPECT_EQ(document.layout().CropWidth, 8u);
  EXPECT_EQ(document.path(), "");
}

TEST_F(DocumentTest, NewStopsWhenTheSaveItAskedForDoesNotHappen) {
  Edit(5);
  questions.AnswerYesNoCancel(QuestionAnswer::Yes);
  questions.AnswerPath(std::nullopt);  // the Save As dialog is cancelled
  document.OnNewDocument();
  EXPECT_EQ(document.layout().CropWidth, 5u);
  EXPECT_TRUE(document.IsModified());

  questions.AnswerYesNoCancel(QuestionAnswer::Yes);
  questions.AnswerPath(PathOf("no-such-folder/class.txt"));  // the save fails
  document.OnNewDocument();
  EXPECT_EQ(document.layout().CropWidth, 5u);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(
      questions.Messages().back(),
      "Could not save file: " + PathOf("no-such-folder/class.txt") + "\nNo such file or directory");
}

TEST_F(DocumentTest, OpeningAFileReadsItAndRemembersWhereItCameFrom) {
  const std::string path = WriteLayout("class.txt");
  profile.WriteText("Settings", "ZovedLayoutFile", PathOf("earlier.txt"));
  questions.AnswerPath(path);
  document.OpenLayout("");
  ASSERT_EQ(questions.Asked().size(), 1u);
  EXPECT_EQ(questions.Asked()[0].What, AskedQuestion::Kind::OpenPath);
  EXPECT_EQ(questions.Asked()[0].File.Filter, kFilter);
  EXPECT_EQ(questions.Asked()[0].File.DefaultExtension, "txt");
  EXPECT_EQ(questions.Asked()[0].File.InitialPath, PathOf("earlier.txt"));
  EXPECT_EQ(document.layout().CropHeight, 7u);
  EXPECT_EQ(document.layout().NameFont.FontName, "Liberation Serif");
  EXPECT_EQ(document.path(), path);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(LastLayoutFile(), path);
  EXPECT_EQ(recorder.hints, std::vector<unsigned>{HintReloaded});

  // Opening it again reads it again, without a question when nothing was applied since.
  document.layout().CropHeight = 2;
  document.OpenLayout(path);
  EXPECT_EQ(document.layout().CropHeight, 7u);
  EXPECT_EQ(questions.Asked().size(), 1u);
}

TEST_F(DocumentTest, AFileThatCannotBeOpenedLeavesTheLayoutAlone) {
  Edit(5);
  const std::string missing = PathOf("gone.txt");
  questions.AnswerYesNoCancel(QuestionAnswer::No);
  document.OpenLayout(missing);
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Could not open file: " + missing +
                                                           "\nNo such file or directory"});
  EXPECT_EQ(document.layout().CropWidth, 5u);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(document.failedPath(), missing);
  EXPECT_EQ(recorder.hints.back(), unsigned{HintReloaded | HintSaved});
  EXPECT_EQ(LastLayoutFile(), "<none>");
}

TEST_F(DocumentTest, AFileThatIsNoLayoutOrFromALaterVersionIsRefusedWithAMessage) {
  folder.Write("notes.txt", "Shopping list\nmilk\n");
  folder.Write("later.txt", "Montage,2.4531,\nCropHeight,7\n");
  const struct {
    std::string name;
    std::string message;
  } cases[] = {
      {"notes.txt",
       "Could not open file: " + PathOf("notes.txt") + "\nThe file is not a layout file."},
      {"later.txt",
       "The layout file was generated by a later version of the software\n"
       "Saved version is 2.4531. This version is 2.453"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    questions.Forget();
    EXPECT_FALSE(document.ReadLayoutFile(PathOf(c.name)));
    EXPECT_EQ(questions.Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(TextOf(document.layout()), TextOf(Montage()));
    EXPECT_EQ(document.path(), "");
    EXPECT_EQ(document.failedPath(), "");
    EXPECT_TRUE(recorder.hints.empty());
  }
}

TEST_F(DocumentTest, SaveWithoutAFileAsksForOneAndWritesTheLayoutText) {
  Edit(5);
  const std::string path = PathOf("saved.txt");
  questions.AnswerPath(path);
  EXPECT_TRUE(document.Save());
  ASSERT_EQ(questions.Asked().size(), 1u);
  EXPECT_EQ(questions.Asked()[0].What, AskedQuestion::Kind::SavePath);
  EXPECT_EQ(questions.Asked()[0].File.Filter, kFilter);
  EXPECT_EQ(ReadFile(path), TextOf(document.layout()));
  EXPECT_EQ(document.path(), path);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(LastLayoutFile(), path);
  // The writer and the Save As dialog each tell the views.
  EXPECT_EQ(recorder.hints, (std::vector<unsigned>{HintLayoutEdited, HintSaved, HintSaved}));

  // The next Save As starts from the file just chosen.
  questions.AnswerPath(std::nullopt);
  EXPECT_FALSE(document.SaveAs());
  EXPECT_EQ(questions.Asked().back().File.InitialPath, path);
}

// Saves that fail for real reasons of the system keep the old file, the path and the modified
// flag as they were: a path under a file, and a file system with no room left, which a child
// process mounts for itself.
TEST_F(DocumentTest, AFailedSaveLeavesTheFileAndTheDocumentAsTheyWere) {
  folder.Write("plain", "x");
  Edit(5);
  const std::string underAFile = PathOf("plain/class.txt");
  EXPECT_EQ(SaveAsOutcome(underAFile), "not saved, modified, failed; Could not save file: " +
                                           underAFile + "\nNot a directory");

  const std::filesystem::path mountPoint = folder.Path() / "small";
  std::filesystem::create_directory(mountPoint);
  const std::string target = (mountPoint / "class.txt").string();
  const testsupport::ChildResult child =
      testsupport::RunOnSmallFileSystem(mountPoint, 16 * 1024, [&] {
        std::ofstream(target, std::ios::binary) << TextOf(Montage());
        testsupport::FillFileSystem(mountPoint);
        return SaveAsOutcome(target) + "; " + ReadFile(target);
      });
  if (!child.prepared) GTEST_SKIP() << "a small file system cannot be mounted: " << child.text;
  EXPECT_TRUE(child.ran);
  EXPECT_EQ(child.text, "not saved, modified, failed; Could not save file: " + target +
                            "\nNo space left on device; " + TextOf(Montage()));
}

// Saves by a user whom permissions hold back, into a folder of that user's: a child process
// saves and tells how the document was left. A save whose file was renamed into place or written
// in place has succeeded, even where the folder cannot be read to be flushed.
TEST_F(DocumentTest, SavesIntoFoldersTheUserMayNotFullyUse) {
  const struct {
    const char* what;
    mode_t folderMode;
    std::optional<mode_t> fileMode;  // none: there is no file yet
    const char* reason;              // empty when the save succeeds
  } cases[] = {
      {"a new file in a folder it may write but not read", 0300, std::nullopt, ""},
      {"a file in a folder it may write but not read", 0300, 0644, ""},
      {"a file in a folder it may not create files in", 0500, 0644, ""},
      {"a new file in a folder it may not create files in", 0500, std::nullopt,
       "Permission denied"},
      {"a read-only file in such a folder", 0500, 0444, "Permission denied"},
  };
  const ScratchFolder scratch("document-save");
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path home =
        testsupport::MakeUnprivilegedFolder(scratch.Path() / std::to_string(++number));
    const std::string target = (home / "class.txt").string();
    if (c.fileMode) {
      std::ofstream(target, std::ios::binary) << TextOf(Montage());
      testsupport::GiveToUnprivileged(target);
      ASSERT_EQ(::chmod(target.c_str(), *c.fileMode), 0);
    }
    const std::string before = ReadFile(target);
    ASSERT_EQ(::chmod(home.c_str(), c.folderMode), 0);
    Edit(5);
    // The question is answered in the child, which alone asks it.
    const testsupport::ChildResult child =
        testsupport::RunUnprivileged({scratch.Path()}, [&] { return SaveAsOutcome(target); });
    ASSERT_EQ(::chmod(home.c_str(), 0700), 0);
    if (!child.prepared) GTEST_SKIP() << child.text;
    EXPECT_TRUE(child.ran);
    if (*c.reason == '\0') {
      EXPECT_EQ(child.text, "saved, unmodified, named, remembered");
      EXPECT_EQ(ReadFile(target), TextOf(document.layout()));
    } else {
      EXPECT_EQ(child.text,
                "not saved, modified, failed; Could not save file: " + target + "\n" + c.reason);
      EXPECT_EQ(ReadFile(target), before);
    }
  }
}

TEST_F(DocumentTest, ClosingAsksOnlyAboutAModifiedLayout) {
  EXPECT_TRUE(document.CanCloseFrame());
  EXPECT_TRUE(questions.Asked().empty());

  const struct {
    QuestionAnswer answer;
    std::optional<std::string> savePath;
    bool closes;
    bool modifiedAfter;
  } cases[] = {
      {QuestionAnswer::Cancel, {}, false, true},
      {QuestionAnswer::No, {}, true, false},
      {QuestionAnswer::Yes, std::nullopt, false, true},              // Save As cancelled
      {QuestionAnswer::Yes, "/proc/no/such/file.txt", false, true},  // the save fails
      {QuestionAnswer::Yes, "closing.txt", true, false},
  };
  for (const auto& c : cases) {
    Edit(5);
    questions.Forget();
    questions.AnswerYesNoCancel(c.answer);
    if (c.answer == QuestionAnswer::Yes) {
      questions.AnswerPath(c.savePath && c.savePath->front() != '/' ? PathOf(*c.savePath)
                                                                    : c.savePath);
    }
    EXPECT_EQ(document.CanCloseFrame(), c.closes);
    EXPECT_EQ(document.IsModified(), c.modifiedAfter);
    EXPECT_EQ(questions.Asked().front().Text, kSaveChanges);
  }
  EXPECT_EQ(ReadFile(PathOf("closing.txt")), TextOf(document.layout()));
}

TEST_F(DocumentTest, UndoAndRedoStepThroughRecordedLayouts) {
  for (std::uint32_t width : {5u, 6u, 7u}) {
    document.RecordUndo(document.layout(), "X");
    Edit(width);
  }
  document.SetModifiedFlag(false);
  EXPECT_EQ(document.UndoText(), "Undo X\tCtrl+Z");
  recorder.hints.clear();

  document.Undo();
  EXPECT_EQ(document.layout().CropWidth, 6u);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(recorder.hints, std::vector<unsigned>{HintReloaded});
  document.Undo();
  document.Undo();
  EXPECT_EQ(document.layout().CropWidth, 8u);
  EXPECT_EQ(document.UndoText(), "Undo \tCtrl+Z");
  document.Undo();  // nothing left: the views are told all the same
  EXPECT_EQ(document.layout().CropWidth, 8u);

  document.Redo();
  document.Redo();
  EXPECT_EQ(document.layout().CropWidth, 6u);
  // A new step forgets what could be redone.
  document.RecordUndo(document.layout(), "Proport'n");
  Edit(9);
  EXPECT_EQ(document.History().RedoCount(), 0u);
  EXPECT_EQ(document.UndoText(), "Undo Proport'n\tCtrl+Z");
}

TEST_F(DocumentTest, TheHistoryKeepsTwentyStepsAndNewOrOpenClearsIt) {
  for (std::uint32_t width = 1; width <= 25; ++width) {
    document.RecordUndo(document.layout(), "step " + std::to_string(width));
    Edit(width);
  }
  EXPECT_EQ(document.History().UndoCount(), 20u);
  questions.AnswerYesNoCancel(QuestionAnswer::No);
  document.OnNewDocument();
  EXPECT_EQ(document.History().UndoCount(), 0u);

  document.RecordUndo(document.layout(), "step");
  ASSERT_TRUE(document.ReadLayoutFile(WriteLayout("class.txt")));
  EXPECT_EQ(document.History().UndoCount(), 0u);
}

TEST(FileErrors, MessagesJoinPrefixReasonAndSuffixByLines) {
  ScopedScriptedQuestions questions;
  ShowFileError("Could not open file: /a.txt", SystemErrorText(ENOENT));
  ShowFileError("", "Disk full", "Try again");
  ShowFileError("Prefix", "");
  EXPECT_EQ(questions.Messages(),
            (std::vector<std::string>{"Could not open file: /a.txt\nNo such file or directory",
                                      "Disk full\nTry again", "Prefix\nReason not known"}));
  EXPECT_EQ(SystemErrorText(0), "Reason not known");
}

}  // namespace
