#pragma once

#include <QMainWindow>

#include "shell/DocumentView.h"

class CMontageDoc;
class CMontageView;
class MontageForm;
class Profile;
class QAction;
class QSplitter;

// The main window: the toolbar, and a splitter with the preview on the left and the layout form
// on the right. The form's column keeps its width when the window is resized; the preview takes
// the rest. There is no menu bar and no status bar: commands come from the toolbar, the keys
// and the form. The window's size and place are kept in the profile between runs.
class CMainFrame : public QMainWindow, public DocumentView {
  Q_OBJECT

 public:
  // The commands the window offers, for tests and for the keys that reach them.
  struct Commands {
    QAction* New = nullptr;
    QAction* Open = nullptr;
    QAction* Save = nullptr;
    QAction* Print = nullptr;
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
    QAction* ZoomIn = nullptr;
    QAction* ZoomOut = nullptr;
    QAction* FitToWindow = nullptr;
    QAction* ZoomActualSize = nullptr;
    QAction* NextPane = nullptr;
    QAction* PreviousPane = nullptr;
    QAction* About = nullptr;
  };

  // The profile keeps the window's size and place and must outlive the window.
  CMainFrame(CMontageDoc& document, Profile& profile, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CMontageView& View() const { return *view_; }
  MontageForm& Form() const { return *form_; }
  QSplitter& Splitter() const { return *splitter_; }
  const Commands& Actions() const { return commands_; }

  // The caption: the document's title, " - " and the application's name.
  void UpdateCaption();
  // Enables Save while the layout has a file, Undo and Redo while there is something to take
  // back or again, and names the step Undo would take back.
  void UpdateCommandStates();
  void OnUpdate(unsigned hint) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateCommands();
  void CreateToolBar();
  void CreatePanes();
  void MoveFocusToOtherPane();
  void ShowAbout();
  void RestoreWindowPlace();
  void StoreWindowPlace();

  CMontageDoc& document_;
  Profile& profile_;
  Commands commands_;
  QSplitter* splitter_ = nullptr;
  CMontageView* view_ = nullptr;
  MontageForm* form_ = nullptr;
  bool columnSized_ = false;
};
