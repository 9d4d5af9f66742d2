#include "shell/CMontageDoc.h"

#include <algorithm>
#include <sstream>

#include "images/ImageCache.h"
#include "layout/LayoutFile.h"
#include "layout/Montage.h"
#include "platform/FileReplacement.h"
#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "shell/DocumentView.h"
#include "shell/FileErrors.h"
#include "shell/LayoutSnapshot.h"
#include "shell/ProgramVersion.h"

namespace {

constexpr char kLastLayoutFile[] = "ZovedLayoutFile";
constexpr char kLayoutFilter[] = "Zoved Layout File (*.txt)|*.txt||";
constexpr char kLayoutExtension[] = "txt";
constexpr char kSaveChangesQuestion[] = "Do you want to save changes to the current layout?";
constexpr std::size_t kUndoLimit = 20;

}  // namespace

CMontageDoc::CMontageDoc(Profile& profile)
    : profile_(profile), layout_(std::make_unique<Montage>()) {
  history_.SetLimit(kUndoLimit);
}

CMontageDoc::~CMontageDoc() = default;

void CMontageDoc::AddView(DocumentView& view) { views_.push_back(&view); }

void CMontageDoc::RemoveView(DocumentView& view) {
  views_.erase(std::remove(views_.begin(), views_.end(), &view), views_.end());
}

void CMontageDoc::UpdateAllViews(unsigned hint) {
  // A view may open a dialog and so run events while it is told; the list is copied so that a
  // view removed meanwhile does not disturb the walk.
  const std::vector<DocumentView*> views = views_;
  for (DocumentView* view : views) {
    if (std::find(views_.begin(), views_.end(), view) != views_.end()) view->OnUpdate(hint);
  }
}

bool CMontageDoc::OnNewDocument() {
  if (!AskToSaveChanges()) return true;
  ImageCache::Instance().Clear();
  layout_ = std::make_unique<Montage>();
  path_.clear();
  history_.Clear();
  UpdateAllViews(HintReloaded);
  return true;
}

void CMontageDoc::OpenLayout(const std::string& path) {
  if (!AskToSaveChanges()) return;
  std::string chosen = path;
  if (chosen.empty()) {
    const std::optional<std::string> answer = ModalQuestions::Current().AskOpenPath(
        {kLayoutFilter, kLayoutExtension,
         profile_.ReadText(Profile::SettingsSection, kLastLayoutFile, "")});
    if (!answer || answer->empty()) return;
    chosen = *answer;
  }
  if (ReadLayoutFile(chosen)) profile_.WriteText(Profile::SettingsSection, kLastLayoutFile, chosen);
}

bool CMontageDoc::ReadLayoutFile(const std::string& path) {
  using Outcome = LayoutReadResult::Outcome;
  const LayoutReadResult read = ReadLayoutFromFile(path, *layout_);
  switch (read.What) {
    case Outcome::Read:
      break;
    case Outcome::CannotOpen:
      ShowFileError("Could not open file: " + path, read.Message);
      failedPath_ = path;
      UpdateAllViews(HintReloaded | HintSaved);
      return false;
    case Outcome::CannotRead:
      ShowFileError("Could not read file: " + path, read.Message);
      return false;
    case Outcome::NotALayout:
      ModalQuestions::Current().ShowMessage("Could not open file: " + path + "\n" + read.Message);
      return false;
    case Outcome::LaterVersion:
      ModalQuestions::Current().ShowMessage(read.Message);
      return false;
  }
  path_ = path;
  failedPath_.clear();
  ImageCache::Instance().Clear();
  modified_ = false;
  history_.Clear();
  UpdateAllViews(HintReloaded);
  return true;
}

bool CMontageDoc::Save() { return path_.empty() ? SaveAs() : WriteLayoutFile(path_); }

bool CMontageDoc::SaveAs() {
  const std::optional<std::string> chosen = ModalQuestions::Current().AskSavePath(
      {kLayoutFilter, kLayoutExtension,
       profile_.ReadText(Profile::SettingsSection, kLastLayoutFile, "")});
  if (!chosen || chosen->empty()) return false;
  const bool written = WriteLayoutFile(*chosen);
  if (written) profile_.WriteText(Profile::SettingsSection, kLastLayoutFile, *chosen);
  UpdateAllViews(HintSaved);
  return written;
}

bool CMontageDoc::WriteLayoutFile(const std::string& path) {
  std::ostringstream text;
  layout_->WriteText(text);
  const std::optional<std::string> error = ReplaceFileContents(path, text.str());
  if (error) {
    ShowFileError("Could not save file: " + path, *error);
    failedPath_ = path;
  } else {
    path_ = path;
    failedPath_.clear();
    modified_ = false;
  }
  UpdateAllViews(HintSaved);
  return !error;
}

bool CMontageDoc::CanCloseFrame() {
  if (!modified_) return true;
  switch (ModalQuestions::Current().AskYesNoCancel(kSaveChangesQuestion)) {
    case QuestionAnswer::Yes:
      // A save that fails or is cancelled keeps the window, and with it the layout, open.
      if (!SaveForQuestion()) return false;
      modified_ = false;
      return true;
    case QuestionAnswer::No:
      modified_ = false;
      return true;
    case QuestionAnswer::Cancel:
      break;
  }
  return false;
}

bool CMontageDoc::AskToSaveChanges() {
  if (!modified_) return true;
  switch (ModalQuestions::Current().AskYesNoCancel(kSaveChangesQuestion)) {
    case QuestionAnswer::Yes:
      // Going on after a failed or cancelled save would throw away the layout the user just
      // asked to keep.
      return SaveForQuestion();
    case QuestionAnswer::No:
      return true;
    case QuestionAnswer::Cancel:
      break;
  }
  return false;
}

bool CMontageDoc::SaveForQuestion() { return path_.empty() ? SaveAs() : WriteLayoutFile(path_); }

void CMontageDoc::LayoutChanged() {
  UpdateAllViews(HintLayoutEdited);
  modified_ = true;
}

void CMontageDoc::SetVersionTitle() { title_ = VersionTitle(); }

void CMontageDoc::RecordUndo(const Montage& before, std::string description) {
  history_.Record(std::make_unique<LayoutSnapshot>(before, std::move(description)));
}

void CMontageDoc::Undo() {
  if (history_.Undo(*this)) modified_ = true;
  UpdateAllViews(HintReloaded);
}

void CMontageDoc::Redo() {
  if (history_.Redo(*this)) modified_ = true;
  UpdateAllViews(HintReloaded);
}

std::string CMontageDoc::UndoText() const {
  const UndoEntry* next = history_.NextUndo();
  return "Undo " + (next != nullptr ? next->Description() : std::string()) + "\tCtrl+Z";
}

void CMontageDoc::ExchangeLayout(Montage& other) {
  // Pictures are cut to the crop proportions from the cache's copies; a step that changes them
  // starts the cache afresh, as applying the form does.
  if (other.CropHeight != layout_->CropHeight || other.CropWidth != layout_->CropWidth) {
    ImageCache::Instance().Clear();
  }
  std::swap(*layout_, other);
}
