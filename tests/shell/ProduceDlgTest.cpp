// The Produce Composites dialog: its choices kept in the profile, a school produced on worker
// threads with progress and a summary, Cancel, and failures told with the files made kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <chrono>
#include <filesystem>
#include <set>
#include <string>

#include "layout/Montage.h"
#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "settings/PreviewSettings.h"
#include "shell/ProduceDlg.h"
#include "support/SchoolFolder.h"
#include "support/ScratchFolder.h"

namespace {

class ProduceDlgTest : public testing::Test {
 protected:
  ProduceDlgTest() {
    PreviewSettings::ReplaceInstance(PreviewSettings());
    index = testsupport::WriteSchoolFolder(folder.Path() / "school").string();
    profile = std::make_unique<Profile>((folder.Path() / "profile.ini").string());
    Remake();
  }

  void Remake() {
    dialog.reset();
    dialog = std::make_unique<ProduceDlg>(layout, index, *profile);
  }

  template <typename Control>
  Control* Find(const char* name) const {
    for (Control* control : dialog->findChildren<Control*>()) {
      if (control->accessibleName() == QString::fromUtf8(name)) return control;
    }
    ADD_FAILURE() << "no control " << name;
    return nullptr;
  }

  // Starts the batch into out at a small resolution and, unless cancelling, waits for its end.
  void Produce(const std::filesystem::path& out, bool cancel = false) {
    Find<QLineEdit>("Output folder")->setText(QString::fromStdString(out.string()));
    Find<QSpinBox>("Resolution (dpi)")->setValue(72);
    Find<QPushButton>("Start")->click();
    if (cancel) Find<QPushButton>("Cancel")->click();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (dialog->IsRunning() && std::chrono::steady_clock::now() < deadline) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_FALSE(dialog->IsRunning());
  }

  static std::set<std::string> Files(const std::filesystem::path& out) {
    std::set<std::string> names;
    if (!std::filesystem::is_directory(out)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(out)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  ScratchFolder folder{"montage-produce"};
  ScopedScriptedQuestions questions;
  std::unique_ptr<Profile> profile;
  Montage layout;
  std::string index;
  std::unique_ptr<ProduceDlg> dialog;
};

TEST_F(ProduceDlgTest, EveryChoiceIsKeptForTheNextDialog) {
  EXPECT_EQ(Find<QLineEdit>("Class list or index")->text().toStdString(), index);
  EXPECT_EQ(Find<QSpinBox>("Resolution (dpi)")->value(), 300);
  EXPECT_EQ(Find<QSpinBox>("Resolution (dpi)")->minimum(), 72);
  EXPECT_EQ(Find<QSpinBox>("Resolution (dpi)")->maximum(), 1200);
  Find<QComboBox>("Format")->setCurrentIndex(2);
  Find<QComboBox>("Group by")->setCurrentIndex(1);
  Find<QComboBox>("Missing pictures")->setCurrentIndex(1);
  Find<QCheckBox>("Proof PDF")->setChecked(true);
  Produce(folder.Path() / "out");
  Remake();
  EXPECT_EQ(Find<QLineEdit>("Output folder")->text().toStdString(),
            (folder.Path() / "out").string());
  EXPECT_EQ(Find<QComboBox>("Format")->currentText(), "PDF");
  EXPECT_EQ(Find<QSpinBox>("Resolution (dpi)")->value(), 72);
  EXPECT_EQ(Find<QComboBox>("Group by")->currentText(), "Home room");
  EXPECT_EQ(Find<QComboBox>("Missing pictures")->currentText(), "Leave out");
  EXPECT_TRUE(Find<QCheckBox>("Proof PDF")->isChecked());
  EXPECT_TRUE(Files(folder.Path() / "out").contains("proof.pdf"));
}

TEST_F(ProduceDlgTest, BrowsingFillsTheFieldsAndCancellingKeepsThem) {
  const std::string out = (folder.Path() / "out").string();
  questions.AnswerPath(folder.Path().string() + "/other.txt");
  questions.AnswerPath(out);
  questions.AnswerPath(std::nullopt);
  Find<QPushButton>("Browse for the list")->click();
  Find<QPushButton>("Browse for the folder")->click();
  Find<QPushButton>("Browse for the folder")->click();
  EXPECT_EQ(Find<QLineEdit>("Class list or index")->text().toStdString(),
            folder.Path().string() + "/other.txt");
  EXPECT_EQ(Find<QLineEdit>("Output folder")->text().toStdString(), out);
  ASSERT_EQ(questions.Asked().size(), 3u);
  EXPECT_EQ(questions.Asked()[0].What, AskedQuestion::Kind::OpenPath);
  EXPECT_EQ(questions.Asked()[0].File.InitialPath, index);
  EXPECT_EQ(questions.Asked()[2].What, AskedQuestion::Kind::Folder);
  EXPECT_EQ(questions.Asked()[2].File.InitialPath, out);
}

TEST_F(ProduceDlgTest, StartMakesEveryGroupAndSummarisesWhatIsMissing) {
  const std::filesystem::path out = folder.Path() / "out";
  Produce(out);
  std::set<std::string> expected = {"report.csv"};
  for (const auto& group : testsupport::SchoolGroups()) expected.insert(group.name + ".jpg");
  EXPECT_EQ(Files(out), expected);
  const QProgressBar* progress = Find<QProgressBar>("Progress");
  EXPECT_EQ(progress->value(), progress->maximum());
  EXPECT_EQ(progress->maximum(), static_cast<int>(testsupport::SchoolGroups().size()));
  EXPECT_EQ(progress->text(), "4 of 4 written");
  const std::string summary = dialog->Summary().toStdString();
  EXPECT_NE(summary.find("4 composites"), std::string::npos) << summary;
  EXPECT_NE(summary.find("Missing pictures:\nCy Cole (Mrs. Okafor)"), std::string::npos) << summary;
  EXPECT_TRUE(Find<QPushButton>("Open Folder")->isEnabled());
  EXPECT_TRUE(Find<QPushButton>("Start")->isEnabled());
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(ProduceDlgTest, CancelStopsWithWholeFilesOnly) {
  const std::filesystem::path out = folder.Path() / "out";
  Produce(out, true);
  const std::string summary = dialog->Summary().toStdString();
  EXPECT_EQ(summary.rfind("Cancelled", 0), 0u) << summary;
  for (const std::string& name : Files(out)) {
    EXPECT_TRUE(name == "report.csv" || name.ends_with(".jpg")) << name;
  }
  EXPECT_LT(Files(out).size(), testsupport::SchoolGroups().size() + 1);
}

TEST_F(ProduceDlgTest, AFolderThatCannotBeMadeIsToldWithItsReason) {
  const std::filesystem::path file = folder.Write("not a folder", "x");
  Produce(file / "out");
  ASSERT_EQ(questions.Messages().size(), 1u);
  EXPECT_EQ(questions.Messages().front().rfind("The composites cannot be produced: ", 0), 0u);
  EXPECT_NE(questions.Messages().front().find("not a folder"), std::string::npos)
      << questions.Messages().front();
  EXPECT_TRUE(Find<QPushButton>("Close")->isEnabled());
}

TEST_F(ProduceDlgTest, AFailureMidwayIsToldAndTheCompositesMadeAreKept) {
  // A folder where the last group's file would go: that file cannot be written.
  const std::filesystem::path out = folder.Path() / "out";
  const std::string last = testsupport::SchoolGroups().back().name;
  std::filesystem::create_directories(out / (last + ".jpg"));
  Produce(out);
  ASSERT_EQ(questions.Messages().size(), 1u);
  const std::string message = questions.Messages().front();
  EXPECT_NE(message.find(last + ": "), std::string::npos) << message;
  EXPECT_NE(message.find("composites already made are kept"), std::string::npos) << message;
  for (std::size_t i = 0; i + 1 < testsupport::SchoolGroups().size(); ++i) {
    EXPECT_TRUE(Files(out).contains(testsupport::SchoolGroups()[i].name + ".jpg")) << i;
  }
  EXPECT_TRUE(Find<QPushButton>("Open Folder")->isEnabled());
}

}  // namespace
