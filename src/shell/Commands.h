#pragma once

#include "shell/DocumentView.h"

class CMontageDoc;
class QAction;
class QWidget;

// The window's commands, each one QAction made here with its keys: the desktop's standard keys
// where Qt has them and the program's own besides, so that no key a user knows stops working. The
// toolbar, the keys and the form's buttons all trigger these actions. The file and edit commands
// act on the document from here; the window connects printing, zooming, the panes and About to
// the parts that do them.
class Commands : public DocumentView {
 public:
  // The actions belong to the window; the window and the document must outlive the commands.
  Commands(CMontageDoc& document, QWidget& window);
  ~Commands() override;
  Commands(const Commands&) = delete;
  Commands& operator=(const Commands&) = delete;

  // Enables Save while the layout has a file, Undo and Redo while there is something to take
  // back or again, and names the step Undo would take back.
  void UpdateStates();
  void OnUpdate(unsigned hint) override;

  QAction* const New;
  QAction* const Open;
  QAction* const Save;
  QAction* const SaveAs;
  QAction* const Print;
  // One composite per group of the applied class list or portrait index; enabled while one is
  // applied.
  QAction* const Produce;
  QAction* const Undo;
  QAction* const Redo;
  QAction* const ZoomIn;
  QAction* const ZoomOut;
  QAction* const FitToWindow;
  QAction* const ZoomActualSize;
  QAction* const NextPane;
  QAction* const PreviousPane;
  QAction* const About;

 private:
  CMontageDoc& document_;
};
