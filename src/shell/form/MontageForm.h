#pragma once

#include <QWidget>
#include <chrono>
#include <cstdint>
#include <functional>

#include "shell/DocumentView.h"
#include "shell/RecentFiles.h"
#include "shell/form/FormDraft.h"

class AutomaticTest;
class CMontageDoc;
class Commands;
class FormControls;
class FormExchange;
class FormPanel;
class Profile;

// The layout form's behaviour: the panel of controls beside the preview, through which the
// user edits the document's layout and the preview settings. Editing is deferred: typing,
// ticking and choosing colours or fonts change only the form, until the form is applied (Update,
// Enter, Save, Save As or a step of the automatic test). The file buttons and Print trigger the
// window's commands, after the form has read or applied its controls. The form also keeps the
// recent-file list, which it stores in the profile when it is destroyed.
class MontageForm : public QWidget, public DocumentView {
  Q_OBJECT

 public:
  // Registers with the document; document, profile and commands must outlive the form.
  MontageForm(CMontageDoc& document, Profile& profile, const Commands& commands,
              QWidget* parent = nullptr);
  ~MontageForm() override;

  // Fills the form from the profile's recent files, the document and the preview settings; until
  // then the document's update hints are ignored.
  void InitialUpdate();
  // Reads and checks every control, then applies them to the preview settings and the layout and
  // tells the document. False, with the first invalid field reported, when a field is invalid.
  bool ApplyEdits();
  // Shows the preview settings in their controls; the other controls keep what they show.
  void ShowSettings();
  // Shows the document's layout in its controls, fonts included; the preview-setting controls
  // keep what they show.
  void ShowLayout();
  // Makes the recent-file list and its combo follow the document's file.
  void SyncDocumentPath();
  // Enables Save, the logo boxes and Stop as the document and the boxes now stand.
  void UpdateControlStates();

  // The width the main window keeps for the form's column.
  int ColumnWidth() const;
  FormPanel& Panel() const { return *panel_; }

  // One step of the automatic test: shows count as the number of images and applies the form as
  // Update does, then lets the preview repaint. False, after the invalid field's message, when
  // the form cannot be applied; the run then ends.
  bool TestStep(std::uint32_t count);
  // Called after each test step so the preview draws before the next one.
  void SetRepaintPreview(std::function<void()> repaint) { repaintPreview_ = std::move(repaint); }
  // The length of the test dialog's "second"; tests make it short so a run takes no time.
  void SetTestSecond(std::chrono::milliseconds second) { testSecond_ = second; }

  void OnUpdate(unsigned hint) override;

 protected:
  // Takes the Enter key from every control before the control sees it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const FormControls& Controls() const;
  FormExchange Exchange() const;
  bool ReadControls();
  void WriteControls();
  void Connect();

  void OnTest();
  // A run keeps the class list out of the settings while it steps the samples, and puts it back
  // when it ends.
  void OnTestRunning(bool running);
  void OnRecentChosen(int index);
  void OnPaperChosen();
  void OnOrientationClicked();
  // Puts the file chosen in the open dialog in the browse button's field; the dialog starts at the
  // field's path.
  void OnBrowse(const FormField& browse);
  void OnColour(const FormField& button);
  void OnFont(const FormField& font);
  void OnLogoBoxClicked();
  void OnLogoPlaceClicked(bool Montage::*clicked, bool Montage::*other);

  void AddRecentFile(const std::string& path);
  void RemoveRecentFile(const std::string& path);
  // Shows the list in the combo with entry 0 chosen, or no choice when select is false.
  void FillRecentCombo(bool select);
  // Chooses the document's file in the combo, or nothing when it is not listed.
  void ShowDocumentInCombo();
  // Lists the groups of the applied class list with the one the preview draws chosen; disabled
  // for a list without groups.
  void FillGroupList();
  // Height and Width take typed sizes only for the custom paper.
  void SetPaperSizeEditable(bool editable);
  void Refresh();

  CMontageDoc& document_;
  Profile& profile_;
  const Commands& commands_;
  FormPanel* panel_;
  FormDraft draft_;
  RecentFiles recent_;
  bool initialised_ = false;
  AutomaticTest* test_;
  std::chrono::milliseconds testSecond_{1000};
  std::function<void()> repaintPreview_;
  // The user's class list while an automatic test runs; the settings hold none meanwhile.
  std::string heldClassList_;
};
