#pragma once

#include <memory>
#include <string>
#include <vector>

#include "shell/UndoHistory.h"

class DocumentView;
class Montage;
class Profile;

// The one open layout: the Montage being edited, the file it came from, whether it changed
// since, and the file commands New, Open, Save and Save As. It tells its views what changed
// through update hints and asks the user through the modal questions. It knows nothing of
// controls or drawing: the form pushes edits into the layout and calls LayoutChanged.
class CMontageDoc {
 public:
  // The profile keeps the folder of the last layout file opened or saved; it must outlive the
  // document.
  explicit CMontageDoc(Profile& profile);
  ~CMontageDoc();
  CMontageDoc(const CMontageDoc&) = delete;
  CMontageDoc& operator=(const CMontageDoc&) = delete;

  Montage& layout() { return *layout_; }
  const Montage& layout() const { return *layout_; }
  // The file last read or written successfully; empty for a layout never saved.
  const std::string& path() const { return path_; }
  // The file that last could not be opened or saved; empty after any success.
  const std::string& failedPath() const { return failedPath_; }
  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified) { modified_ = modified; }
  const std::string& Title() const { return title_; }

  // Views are told of every change until they are removed; they must outlive that.
  void AddView(DocumentView& view);
  void RemoveView(DocumentView& view);
  void UpdateAllViews(unsigned hint);

  // New: after the save-changes question, a default layout and an empty image cache. The
  // modified flag stays as it was. Always true, also when the user cancelled.
  bool OnNewDocument();
  // Open: after the save-changes question, reads the file, or the file chosen in the open
  // dialog when path is empty.
  void OpenLayout(const std::string& path);
  // Reads the layout file over the current layout; false, with the layout as it was, when the
  // file cannot be opened or read or is no layout file of a version this program knows.
  bool ReadLayoutFile(const std::string& path);
  // Saves to the layout's file, or asks for one when it has none. True when the layout was
  // written.
  bool Save();
  // Asks for a file and saves to it; false when the user cancelled or the save failed.
  bool SaveAs();
  // Writes the layout to the file so that a failure leaves the old file as it was; the message
  // names the file and the system's reason.
  bool WriteLayoutFile(const std::string& path);
  // Whether the main window may close: asks to save a modified layout first. A save that fails
  // or is cancelled keeps the window open.
  bool CanCloseFrame();

  // The form applied its controls to the layout.
  void LayoutChanged();
  // The title "Version V2.453".
  void SetVersionTitle();

  // Undo history: the form records the layout as it was before each apply that changed it.
  void RecordUndo(const Montage& before, std::string description);
  void Undo();
  void Redo();
  const UndoHistory& History() const { return history_; }
  // "Undo " + the description of the newest step + "\tCtrl+Z".
  std::string UndoText() const;

 private:
  friend class LayoutSnapshot;

  // The save-changes question before New and Open: true to go on, false when the user
  // cancelled or the save they asked for did not happen.
  bool AskToSaveChanges();
  // Saves in answer to the save-changes question.
  bool SaveForQuestion();
  // Replaces the layout with another whole layout, as an undo step does.
  void ExchangeLayout(Montage& other);

  Profile& profile_;
  std::unique_ptr<Montage> layout_;
  std::string path_;
  std::string failedPath_;
  bool modified_ = false;
  std::string title_;
  std::vector<DocumentView*> views_;
  UndoHistory history_;
};
