#pragma once

#include <QMainWindow>
#include <memory>

class CMontageDoc;
class Commands;
class CMontageView;
class MontageForm;
class Profile;
class QSplitter;

// The main window: the toolbar, and a splitter with the preview on the left and the layout form
// on the right. The form's column keeps its width when the window is resized; the preview takes
// the rest. There is no menu bar and no status bar: commands come from the toolbar, the keys
// and the form. The window's size and place are kept in the profile between runs.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // The profile keeps the window's size and place and must outlive the window.
  CMainFrame(CMontageDoc& document, Profile& profile, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CMontageView& View() const { return *view_; }
  MontageForm& Form() const { return *form_; }
  QSplitter& Splitter() const { return *splitter_; }
  const Commands& Actions() const { return *commands_; }

  // The caption: the document's title, " - " and the application's name.
  void UpdateCaption();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Connects the commands that act on the window's parts rather than on the document.
  void ConnectCommands();
  void CreateToolBar();
  void CreatePanes();
  void MoveFocusToOtherPane();
  // Opens the Produce Composites dialog on the applied list and the layout as last applied.
  void ShowProduce();
  void ShowAbout();
  void RestoreWindowPlace();
  void StoreWindowPlace();

  CMontageDoc& document_;
  Profile& profile_;
  std::unique_ptr<Commands> commands_;
  QSplitter* splitter_ = nullptr;
  CMontageView* view_ = nullptr;
  MontageForm* form_ = nullptr;
  bool columnSized_ = false;
};
