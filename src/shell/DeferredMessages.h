#pragma once

#include <string>
#include <vector>

#include "platform/ModalQuestions.h"

// Holds back the messages shown during a scope and passes every other question on to the
// questions installed before it. The preview draws while it paints, and a message box opened
// from inside a paint event would run a nested event loop in the middle of painting; the view
// takes the held messages and shows them once the paint has ended.
class DeferredMessages : public ModalQuestions {
 public:
  DeferredMessages();
  ~DeferredMessages() override;
  DeferredMessages(const DeferredMessages&) = delete;
  DeferredMessages& operator=(const DeferredMessages&) = delete;

  // The messages held so far, in order; the list is empty afterwards.
  std::vector<std::string> Take() { return std::move(held_); }

  void ShowMessage(const std::string& text) override { held_.push_back(text); }
  QuestionAnswer AskYesNoCancel(const std::string& text) override;
  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
  std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;
  std::optional<ColourRef> AskColour(ColourRef initial, CustomColours& custom) override;
  std::optional<FontChoice> AskFont(const FontChoice& initial) override;
  bool AskPrint(QPrinter& printer) override;

 private:
  ModalQuestions* previous_;
  std::vector<std::string> held_;
};
