#include "shell/RunTestDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "support/ScratchFolder.h"

namespace {

const QString kFirst = "First number of images";
const QString kLast = "Last number of images";
const QString kInterval = "Interval between each layout";
const std::string kLastNotGreater =
    "The last number of images must be\ngreater than the first number of images";
// Read back for a value that was never written.
constexpr std::uint32_t kUnwritten = 777777;

QLineEdit* Field(const RunTestDlg& dialog, const QString& name) {
  for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
    if (edit->accessibleName() == name) return edit;
  }
  ADD_FAILURE() << "no field named " << name.toStdString();
  return nullptr;
}

void Press(const RunTestDlg& dialog, QDialogButtonBox::StandardButton which) {
  dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

void Type(const RunTestDlg& dialog, const QString& first, const QString& last,
          const QString& interval) {
  Field(dialog, kFirst)->setText(first);
  Field(dialog, kLast)->setText(last);
  Field(dialog, kInterval)->setText(interval);
}

class RunTestDlgTest : public testing::Test {
 protected:
  std::string ProfilePath() const { return (folder_.Path() / "montage.ini").string(); }
  std::uint32_t Stored(const char* name) const {
    return profile_->ReadNumber(Profile::SettingsSection, name, kUnwritten);
  }
  void Store(std::uint32_t first, std::uint32_t last, std::uint32_t interval) {
    profile_->WriteNumber(Profile::SettingsSection, "TestFirstImages", first);
    profile_->WriteNumber(Profile::SettingsSection, "TestLastImages", last);
    profile_->WriteNumber(Profile::SettingsSection, "TestInterval", interval);
  }
  // As after a restart of the program: the profile is read again from its file.
  void Reopen() {
    profile_.reset();
    profile_ = std::make_unique<Profile>(ProfilePath());
  }
  void ExpectNothingStored() const {
    EXPECT_EQ(Stored("TestFirstImages"), kUnwritten);
    EXPECT_EQ(Stored("TestLastImages"), kUnwritten);
    EXPECT_EQ(Stored("TestInterval"), kUnwritten);
  }
  void ExpectShown(const RunTestDlg& dialog, const QString& first, const QString& last,
                   const QString& interval) {
    EXPECT_EQ(Field(dialog, kFirst)->text(), first);
    EXPECT_EQ(Field(dialog, kLast)->text(), last);
    EXPECT_EQ(Field(dialog, kInterval)->text(), interval);
  }

  ScratchFolder folder_{"montage-run-test"};
  std::unique_ptr<Profile> profile_ = std::make_unique<Profile>(ProfilePath());
  ScopedScriptedQuestions questions_;
};

TEST_F(RunTestDlgTest, OpensWithTheDefaultsUntilValuesAreStored) {
  for (const bool stored : {false, true}) {
    if (stored) Store(12, 40, 7);
    const std::array<std::uint32_t, 3> shown =
        stored ? std::array<std::uint32_t, 3>{12, 40, 7} : std::array<std::uint32_t, 3>{25, 35, 2};
    RunTestDlg dialog(*profile_);
    ExpectShown(dialog, QString::number(shown[0]), QString::number(shown[1]),
                QString::number(shown[2]));
    EXPECT_EQ((std::array{dialog.First(), dialog.Last(), dialog.Interval()}), shown);
  }
}

TEST_F(RunTestDlgTest, ShowsItsTitleAdviceAndLabelledFields) {
  RunTestDlg dialog(*profile_);
  EXPECT_EQ(dialog.windowTitle(), "Test Parameters");
  std::vector<QString> texts;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    texts.push_back(label->text());
    // Each field is found by assistive technology under the text of its label.
    if (label->buddy() != nullptr) {
      EXPECT_EQ(label->buddy()->accessibleName(), label->text());
    }
  }
  EXPECT_EQ(texts, (std::vector<QString>{
                       "If you expect typical group size to be say 30 then it is advised to run "
                       "the test for something like 25 to 35 images",
                       kFirst, kLast, kInterval, "seconds"}));
  EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 3);
}

TEST_F(RunTestDlgTest, TheSamplesNoteComesOnceBelowTheAdviceAndChangesNothingElse) {
  RunTestDlg dialog(*profile_);
  dialog.NoteSamplesUsed();
  dialog.NoteSamplesUsed();
  std::vector<QString> texts;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    if (label->buddy() == nullptr && label->text() != "seconds") texts.push_back(label->text());
  }
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1], "The test uses the sample images, not the class list.");
  // Laid out between the advice and the fields.
  auto* column = qobject_cast<QVBoxLayout*>(dialog.layout());
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(column->indexOf(dialog.findChildren<QLabel*>()[0]), 0);
  EXPECT_EQ(column->itemAt(1)->widget()->property("text").toString(), texts[1]);
  ExpectShown(dialog, "25", "35", "2");
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Stored("TestFirstImages"), 25u);
}

// Last not greater than first.
struct RefusedRange {
  QString First;
  QString Last;
};

class RunTestDlgRange : public RunTestDlgTest, public testing::WithParamInterface<RefusedRange> {};

TEST_P(RunTestDlgRange, IsRefusedOnceAndTheDialogStaysOpen) {
  RunTestDlg dialog(*profile_);
  dialog.show();
  Type(dialog, GetParam().First, GetParam().Last, "2");
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(questions_.Messages(), std::vector<std::string>{kLastNotGreater});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  ExpectNothingStored();
  EXPECT_EQ(dialog.First(), 25u);
}

INSTANTIATE_TEST_SUITE_P(LastNotGreater, RunTestDlgRange,
                         testing::Values(RefusedRange{"30", "30"}, RefusedRange{"35", "25"},
                                         RefusedRange{"9999", "3"}, RefusedRange{"007", "7"}));

// A field that fails its check, and what the user is told.
struct RefusedField {
  QString Name;
  QString Text;
  std::string Message;
};

class RunTestDlgField : public RunTestDlgTest, public testing::WithParamInterface<RefusedField> {};

TEST_P(RunTestDlgField, IsReportedOnceWithTheFocusOnIt) {
  const RefusedField& c = GetParam();
  RunTestDlg dialog(*profile_);
  dialog.show();
  Type(dialog, "25", "35", "2");
  Field(dialog, c.Name)->setText(c.Text);
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(questions_.Messages(), std::vector<std::string>{c.Message});
  EXPECT_EQ(dialog.focusWidget(), Field(dialog, c.Name));
  EXPECT_EQ(Field(dialog, c.Name)->selectedText(), c.Text);
  EXPECT_TRUE(dialog.isVisible());
  ExpectNothingStored();
}

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, RunTestDlgField,
    testing::Values(RefusedField{kInterval, "0", "Enter an integer between 1 and 60."},
                    RefusedField{kInterval, "61", "Enter an integer between 1 and 60."},
                    RefusedField{kFirst, "2", "Enter an integer between 3 and 9999."},
                    RefusedField{kFirst, "10000", "Enter an integer between 3 and 9999."},
                    RefusedField{kLast, "2", "Enter an integer between 3 and 9999."},
                    RefusedField{kLast, "10000", "Enter an integer between 3 and 9999."},
                    RefusedField{kFirst, "-30", "Enter an integer between 3 and 9999."}));

INSTANTIATE_TEST_SUITE_P(NoNumber, RunTestDlgField,
                         testing::Values(RefusedField{kFirst, "", "Enter a positive integer."},
                                         RefusedField{kLast, "3O", "Enter a positive integer."},
                                         RefusedField{kInterval, "1.5",
                                                      "Enter a positive integer."}));

TEST_F(RunTestDlgTest, OfSeveralBadFieldsTheFirstIsReported) {
  RunTestDlg dialog(*profile_);
  dialog.show();
  // The range check of last against first comes only after every field has passed.
  Type(dialog, "40", "1", "0");
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(questions_.Messages(),
            std::vector<std::string>{"Enter an integer between 3 and 9999."});
  EXPECT_EQ(dialog.focusWidget(), Field(dialog, kLast));

  questions_.Forget();
  Field(dialog, kLast)->setText("30");
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(questions_.Messages(), std::vector<std::string>{"Enter an integer between 1 and 60."});
  EXPECT_EQ(dialog.focusWidget(), Field(dialog, kInterval));

  questions_.Forget();
  Field(dialog, kInterval)->setText("60");
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(questions_.Messages(), std::vector<std::string>{kLastNotGreater});
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(RunTestDlgTest, OkStoresTheValuesThatTheNextDialogShows) {
  {
    RunTestDlg dialog(*profile_);
    dialog.show();
    Type(dialog, " 003 ", "9999", "60");
    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_TRUE(questions_.Messages().empty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.First(), 3u);
    EXPECT_EQ(dialog.Last(), 9999u);
    EXPECT_EQ(dialog.Interval(), 60u);
  }
  Reopen();
  EXPECT_EQ(Stored("TestFirstImages"), 3u);
  EXPECT_EQ(Stored("TestLastImages"), 9999u);
  EXPECT_EQ(Stored("TestInterval"), 60u);
  RunTestDlg next(*profile_);
  ExpectShown(next, "3", "9999", "60");
}

TEST_F(RunTestDlgTest, OkAfterARefusalStoresTheCorrectedValues) {
  RunTestDlg dialog(*profile_);
  dialog.show();
  Type(dialog, "30", "30", "1");
  Press(dialog, QDialogButtonBox::Ok);
  Field(dialog, kLast)->setText("31");
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(questions_.Messages(), std::vector<std::string>{kLastNotGreater});
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Stored("TestFirstImages"), 30u);
  EXPECT_EQ(Stored("TestLastImages"), 31u);
  EXPECT_EQ(Stored("TestInterval"), 1u);
}

TEST_F(RunTestDlgTest, CancelStoresNothing) {
  Store(10, 20, 3);
  {
    RunTestDlg dialog(*profile_);
    dialog.show();
    Type(dialog, "40", "50", "9");
    Press(dialog, QDialogButtonBox::Cancel);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.First(), 10u);
    EXPECT_EQ(dialog.Last(), 20u);
    EXPECT_EQ(dialog.Interval(), 3u);
  }
  Reopen();
  RunTestDlg next(*profile_);
  ExpectShown(next, "10", "20", "3");
  EXPECT_TRUE(questions_.Messages().empty());
}

TEST_F(RunTestDlgTest, EnterInAFieldPressesOk) {
  RunTestDlg dialog(*profile_);
  QTimer::singleShot(0, &dialog, [&] {
    Type(dialog, "4", "8", "5");
    QLineEdit* interval = Field(dialog, kInterval);
    interval->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(interval, &enter);
    // Should Enter not close the dialog, Cancel ends exec() so that the test fails, not hangs.
    if (dialog.isVisible()) Press(dialog, QDialogButtonBox::Cancel);
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(Stored("TestFirstImages"), 4u);
  EXPECT_EQ(Stored("TestLastImages"), 8u);
  EXPECT_EQ(Stored("TestInterval"), 5u);
}

}  // namespace
