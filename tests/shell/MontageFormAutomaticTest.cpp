// The automatic test from the form: Test asks for the range, each step shows one more image and
// applies the form, Stop and an invalid field end the run.
#include <QApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTimer>

#include "MontageFormFixture.h"
#include "settings/PreviewSettings.h"
#include "shell/FormControlIds.h"
#include "shell/FormControls.h"
#include "shell/RunTestDlg.h"

namespace {

class MontageFormAutomaticTest : public MontageFormTest {
 protected:
  MontageFormAutomaticTest() {
    profile->WriteNumber(Profile::SettingsSection, "TestFirstImages", 5);
    profile->WriteNumber(Profile::SettingsSection, "TestLastImages", 8);
    profile->WriteNumber(Profile::SettingsSection, "TestInterval", 2);
    form->SetTestSecond(std::chrono::milliseconds(1));
    form->SetRepaintPreview([this] { shown.push_back(PreviewSettings::Instance().NumImages); });
  }

  // Presses Test and answers the parameters dialog with OK or Cancel.
  void PressTest(bool ok) {
    QTimer::singleShot(0, [ok] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<RunTestDlg*>(window);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        if (ok) {
          dialog->accept();
        } else {
          dialog->reject();
        }
      }
    });
    C().Test->click();
  }

  // Runs events until done; a broken run fails the test instead of hanging it.
  static bool RunUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(30000);
    while (!done() && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return done();
  }

  std::vector<std::uint32_t> shown;
};

TEST_F(MontageFormAutomaticTest, ARunShowsEveryCountInTurnThenDisablesStop) {
  EXPECT_FALSE(C().Stop->isEnabled());
  PressTest(true);
  EXPECT_TRUE(C().Stop->isEnabled());
  ASSERT_TRUE(RunUntil([this] { return !C().Stop->isEnabled(); }));
  EXPECT_EQ(shown, (std::vector<std::uint32_t>{5, 6, 7, 8}));
  EXPECT_EQ(Text(FormId::NumImages), "8");
  EXPECT_EQ(hints.Count(HintLayoutEdited), 4);
  EXPECT_TRUE(document->IsModified());
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormAutomaticTest, CancelStartsNothing) {
  PressTest(false);
  EXPECT_FALSE(C().Stop->isEnabled());
  EXPECT_TRUE(shown.empty());
}

TEST_F(MontageFormAutomaticTest, StopKeepsTheCountLastShown) {
  form->SetTestSecond(std::chrono::hours(1));
  PressTest(true);
  ASSERT_TRUE(RunUntil([this] { return !shown.empty(); }));
  C().Stop->click();
  EXPECT_FALSE(C().Stop->isEnabled());
  EXPECT_EQ(shown, std::vector<std::uint32_t>{5});
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 5u);
}

TEST_F(MontageFormAutomaticTest, AnInvalidFieldIsReportedOnceAndEndsTheRun) {
  Type(FormId::CropHeight, "0");
  PressTest(true);
  ASSERT_TRUE(RunUntil([this] { return !C().Stop->isEnabled(); }));
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Enter an integer between 1 and 100."});
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 20u);
  EXPECT_EQ(hints.Count(HintLayoutEdited), 0);
}

}  // namespace
