#include "shell/CMainFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <filesystem>
#include <set>

#include "layout/Montage.h"
#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "settings/PreviewSettings.h"
#include "shell/CMontageApp.h"
#include "shell/CMontageDoc.h"
#include "shell/CMontageView.h"
#include "shell/Commands.h"
#include "shell/form/FormControlIds.h"
#include "shell/form/FormControls.h"
#include "shell/form/FormPanel.h"
#include "shell/form/MontageForm.h"
#include "support/LayoutText.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

PreviewSettings SampleSettings() {
  PreviewSettings settings;
  settings.SetInstallFolder(MONTAGE_BINARY_DIR "/");
  return settings;
}

class MainFrameTest : public testing::Test {
 protected:
  MainFrameTest() {
    PreviewSettings::ReplaceInstance(SampleSettings());
    document.SetVersionTitle();
  }

  std::unique_ptr<CMainFrame> MakeFrame() {
    return std::make_unique<CMainFrame>(document, profile);
  }

  std::string PathOf(const std::string& name) const { return (folder.Path() / name).string(); }

  ScratchFolder folder{"montage-frame"};
  Profile profile{PathOf("profile.ini")};
  CMontageDoc document{profile};
  ScopedScriptedQuestions questions;
};

TEST_F(MainFrameTest, TheToolbarHoldsTheCommandsInOrderWithTheirTips) {
  const auto frame = MakeFrame();
  EXPECT_EQ(frame->windowTitle(), "Version V2.453 - Montage");
  // No menu bar and no status bar: commands come from the toolbar, keys and the form.
  EXPECT_EQ(frame->menuWidget(), nullptr);
  EXPECT_EQ(frame->findChild<QStatusBar*>(), nullptr);

  const QList<QToolBar*> toolBars = frame->findChildren<QToolBar*>();
  ASSERT_EQ(toolBars.size(), 1);
  EXPECT_EQ(frame->toolBarArea(toolBars[0]), Qt::TopToolBarArea);
  QStringList tips;
  for (QAction* action : toolBars[0]->actions()) {
    tips << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    if (!action->isSeparator()) {
      EXPECT_FALSE(action->icon().isNull()) << action->toolTip().toStdString();
    }
  }
  EXPECT_EQ(tips, QStringList({"New", "Open", "Save", "|", "Undo", "Zoom In", "Zoom Out",
                               "Fit To Window", "Zoom 100%"}));
}

TEST_F(MainFrameTest, TheCommandsHaveTheDesktopsKeysAndTheirOwn) {
  const auto frame = MakeFrame();
  const Commands& commands = frame->Actions();
  const struct {
    QAction* action;
    QKeySequence::StandardKey standard;
    const char* own;
  } cases[] = {
      {commands.New, QKeySequence::New, "Ctrl+N"},
      {commands.Open, QKeySequence::Open, "Ctrl+O"},
      {commands.Save, QKeySequence::Save, "Ctrl+S"},
      {commands.Print, QKeySequence::Print, "Ctrl+P"},
      {commands.Undo, QKeySequence::Undo, "Ctrl+Z; Alt+Backspace"},
      {commands.Redo, QKeySequence::Redo, "Ctrl+Shift+Z; Ctrl+Y"},
      {commands.ZoomIn, QKeySequence::ZoomIn, "Ctrl++"},
      {commands.ZoomOut, QKeySequence::ZoomOut, "Ctrl+-"},
      {commands.NextPane, QKeySequence::UnknownKey, "F6"},
      {commands.PreviousPane, QKeySequence::UnknownKey, "Shift+F6"},
      {commands.About, QKeySequence::HelpContents, "F1"},
  };
  // A key that two commands share is ambiguous, and Qt then gives it to neither.
  std::set<QString> taken;
  for (const auto& c : cases) {
    const QList<QKeySequence> keys = c.action->shortcuts();
    for (const QKeySequence& key :
         QKeySequence::listFromString(c.own) + QKeySequence::keyBindings(c.standard)) {
      EXPECT_TRUE(keys.contains(key)) << c.own << ": " << key.toString().toStdString();
    }
    for (const QKeySequence& key : keys) {
      EXPECT_TRUE(taken.insert(key.toString()).second) << key.toString().toStdString();
    }
  }
}

TEST_F(MainFrameTest, SaveFollowsTheFileAndUndoTheHistory) {
  const auto frame = MakeFrame();
  const Commands& commands = frame->Actions();
  EXPECT_FALSE(commands.Save->isEnabled());
  EXPECT_FALSE(commands.Undo->isEnabled());
  EXPECT_FALSE(commands.Redo->isEnabled());
  EXPECT_EQ(commands.Undo->text(), "Undo \tCtrl+Z");

  document.RecordUndo(document.layout(), "Outer Margin");
  document.layout().OuterMargin = 50;
  document.LayoutChanged();
  EXPECT_TRUE(commands.Undo->isEnabled());
  EXPECT_EQ(commands.Undo->text(), "Undo Outer Margin\tCtrl+Z");
  EXPECT_EQ(commands.Undo->toolTip(), "Undo Outer Margin");

  questions.AnswerPath(PathOf("class.txt"));
  ASSERT_TRUE(document.SaveAs());
  EXPECT_TRUE(commands.Save->isEnabled());

  commands.Undo->trigger();
  EXPECT_EQ(document.layout().OuterMargin, 0u);
  EXPECT_TRUE(commands.Redo->isEnabled());
  commands.Redo->trigger();
  EXPECT_EQ(document.layout().OuterMargin, 50u);

  questions.AnswerYesNoCancel(QuestionAnswer::No);
  commands.New->trigger();
  EXPECT_FALSE(commands.Save->isEnabled());
  EXPECT_FALSE(commands.Undo->isEnabled());
}

TEST_F(MainFrameTest, ZoomAndPrintCommandsReachThePreview) {
  const auto frame = MakeFrame();
  frame->Actions().ZoomActualSize->trigger();
  EXPECT_EQ(frame->View().Zoom(), 1.0);
  frame->Actions().ZoomIn->trigger();
  EXPECT_DOUBLE_EQ(frame->View().Zoom(), 1.1);
  frame->Actions().ZoomOut->trigger();
  EXPECT_DOUBLE_EQ(frame->View().Zoom(), 1.1 * 0.9);
  // The command and the form's Print button print alike; the print dialog is cancelled.
  frame->Actions().Print->trigger();
  frame->Form().Panel().Controls().Get<QPushButton>(FormId::Print)->click();
  ASSERT_EQ(questions.Asked().size(), 2u);
  EXPECT_EQ(questions.Asked()[0].What, AskedQuestion::Kind::Print);
  EXPECT_EQ(questions.Asked()[1].What, AskedQuestion::Kind::Print);
}

TEST_F(MainFrameTest, ResizingKeepsTheFormsColumnAndGivesThePreviewTheRest) {
  const auto frame = MakeFrame();
  frame->resize(1400, 900);
  frame->show();
  QApplication::processEvents();
  const int column = frame->Form().width();
  EXPECT_GE(column, frame->Form().ColumnWidth());
  for (const int width : {1600, 1000, 900}) {
    frame->resize(width, 900);
    QApplication::processEvents();
    EXPECT_EQ(frame->Form().width(), column) << width;
    EXPECT_GE(frame->View().width(), 50) << width;
  }
  frame->resize(300, 900);
  QApplication::processEvents();
  EXPECT_GE(frame->View().width(), 50);
}

TEST_F(MainFrameTest, F6MovesTheFocusBetweenThePreviewAndTheForm) {
  const auto frame = MakeFrame();
  frame->show();
  QApplication::setActiveWindow(frame.get());
  frame->View().setFocus();
  QApplication::processEvents();
  frame->Actions().NextPane->trigger();
  QApplication::processEvents();
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  EXPECT_TRUE(frame->Form().isAncestorOf(focus));
  frame->Actions().PreviousPane->trigger();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), &frame->View());
}

TEST_F(MainFrameTest, ClosingAsksAboutAModifiedLayoutAndCancelKeepsTheWindow) {
  const auto frame = MakeFrame();
  frame->show();
  document.LayoutChanged();
  questions.AnswerYesNoCancel(QuestionAnswer::Cancel);
  EXPECT_FALSE(frame->close());
  EXPECT_TRUE(frame->isVisible());
  questions.AnswerYesNoCancel(QuestionAnswer::No);
  EXPECT_TRUE(frame->close());
}

TEST_F(MainFrameTest, TheWindowsSizeIsRememberedBetweenRuns) {
  {
    const auto frame = MakeFrame();
    frame->show();
    frame->resize(1111, 777);
    QApplication::processEvents();
    ASSERT_TRUE(frame->close());
  }
  const auto frame = MakeFrame();
  EXPECT_EQ(frame->size(), QSize(1111, 777));
}

// A layout designed through the form, saved, renders with the render command exactly as the
// preview showed it. Names stay off: the sample names move on with every drawing, so the
// preview and a fresh program show different ones by design.
TEST_F(MainFrameTest, TheSavedLayoutRendersAsThePreviewShowedIt) {
  const auto frame = MakeFrame();
  const FormControls& c = frame->Form().Panel().Controls();
  auto* paper = c.Get<QComboBox>(FormId::Paper);
  paper->setCurrentIndex(0);  // 7x5
  emit paper->activated(0);
  const std::pair<int, const char*> numbers[] = {
      {FormId::NumImages, "12"}, {FormId::OuterMargin, "60"}, {FormId::CropHeight, "12"},
      {FormId::CropWidth, "9"},  {FormId::InnerFrame, "8"},   {FormId::DropShadowWidth, "6"},
  };
  for (auto [id, text] : numbers) c.Get<QLineEdit>(id)->setText(QString::fromLatin1(text));
  c.Get<QCheckBox>(FormId::OrientPortrait)->setChecked(true);
  c.Get<QCheckBox>(FormId::OuterMargin3d)->setChecked(true);
  c.Get<QRadioButton>(FormId::MainPositions[1])->click();
  c.Get<QRadioButton>(FormId::CaptionPositions[7])->click();
  c.Get<QPushButton>(FormId::Update)->click();
  const std::string path = PathOf("designed.txt");
  questions.AnswerPath(path);
  c.Get<QPushButton>(FormId::SaveAs)->click();
  ASSERT_EQ(document.path(), path);

  frame->resize(1500, 1000);
  frame->show();
  for (int i = 0; i < 100 && !frame->View().FittedOnce(); ++i) QApplication::processEvents();
  frame->Actions().ZoomActualSize->trigger();
  QApplication::processEvents();
  const QImage shown =
      frame->View().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // The page is what is not the surround colour around it.
  QRect page;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.pixel(x, y) != CMontageView::SurroundColour) page |= QRect(x, y, 1, 1);
    }
  }
  const int dpi = frame->View().logicalDpiX();
  ASSERT_EQ(dpi, frame->View().logicalDpiY());
  const std::string rendered = PathOf("rendered.png");
  const ProgramResult run = RunProgram("render '" + path + "' --paper 7x5 --images 12 --dpi " +
                                           std::to_string(dpi) + " -o '" + rendered + "'",
                                       folder.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage expected =
      QImage(QString::fromStdString(rendered)).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(page.size(), expected.size());
  const QImage preview = shown.copy(page);
  int differing = 0;
  for (int y = 0; y < preview.height(); ++y) {
    for (int x = 0; x < preview.width(); ++x)
      differing += preview.pixel(x, y) != expected.pixel(x, y);
  }
  EXPECT_EQ(differing, 0);
}

// The application object's start-up, in an installation folder of the test's own with the
// user's profile redirected into the test's folder.
class ApplicationTest : public testing::Test {
 protected:
  ApplicationTest() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(folder.Path().string()));
    for (const char* name : {"SampleImage.jpg", "SampleBackground.jpg", "SampleLogo.jpg"}) {
      std::filesystem::copy_file(std::filesystem::path(MONTAGE_BINARY_DIR) / name,
                                 folder.Path() / name);
    }
    PreviewSettings::ReplaceInstance(PreviewSettings());
  }
  std::string InstallFolder() const { return folder.Path().string() + "/"; }

  ScratchFolder folder{"montage-application"};
  ScopedScriptedQuestions questions;
};

TEST_F(ApplicationTest, StartUpRecordsTheVersionAndOpensTheWindow) {
  CMontageApp app;
  ASSERT_TRUE(app.InitInstance({}, InstallFolder()));
  EXPECT_EQ(app.UserProfile().ReadNumber("Settings", "Version", 0), 245299u);
  EXPECT_EQ(app.MainFrame().windowTitle(), "Version V2.453 - Montage");
  EXPECT_TRUE(app.MainFrame().isVisible());
  EXPECT_EQ(PreviewSettings::Instance().SampleImagePath, InstallFolder() + "SampleImage.jpg");
  EXPECT_TRUE(questions.Asked().empty());
  app.ExitInstance();
}

TEST_F(ApplicationTest, TheClassListAppliedInTheFormIsStoredWithTheOtherPreviewSettings) {
  const std::string list = InstallFolder() + "class 4B.csv";
  {
    CMontageApp app;
    ASSERT_TRUE(app.InitInstance({}, InstallFolder()));
    const FormControls& controls = app.MainFrame().Form().Panel().Controls();
    controls.Get<QLineEdit>(FormId::ClassListPath)->setText(QString::fromStdString(list));
    controls.Get<QLineEdit>(FormId::NumImages)->setText("31");
    ASSERT_TRUE(app.MainFrame().Form().ApplyEdits());
    app.ExitInstance();
    EXPECT_EQ(app.UserProfile().ReadText("Settings", "ClassList", ""), list);
    EXPECT_EQ(app.UserProfile().ReadNumber("Settings", "NumImages", 0), 31u);
  }
  // The next start reads it back with the others, and the form shows it.
  PreviewSettings::ReplaceInstance(PreviewSettings());
  Profile reread;
  PreviewSettings::Instance().Load(reread);
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, list);
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 31u);
}

TEST_F(ApplicationTest, ALayoutNamedOnTheCommandLineIsOpened) {
  Montage layout;
  layout.CropHeight = 3;
  const std::string path = folder.Write("starter.txt", TextOf(layout)).string();
  CMontageApp app;
  ASSERT_TRUE(app.InitInstance({QString::fromStdString(path)}, InstallFolder()));
  EXPECT_EQ(app.Document().path(), path);
  EXPECT_EQ(app.Document().layout().CropHeight, 3u);
  EXPECT_FALSE(app.Document().IsModified());
  app.ExitInstance();
}

}  // namespace
