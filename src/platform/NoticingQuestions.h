#pragma once

#include "platform/ModalQuestions.h"

// Passes every question on to the questions installed before it, for the lifetime of a scope,
// and remembers whether a message was shown, so that a refusal that has already been explained
// is not explained twice.
class NoticingQuestions : public ModalQuestions {
 public:
  NoticingQuestions();
  ~NoticingQuestions() override;
  NoticingQuestions(const NoticingQuestions&) = delete;
  NoticingQuestions& operator=(const NoticingQuestions&) = delete;

  bool MessageShown() const { return shown_; }

  void ShowMessage(const std::string& text) override;
  QuestionAnswer AskYesNoCancel(const std::string& text) override;
  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
  std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;
  std::optional<ColourRef> AskColour(ColourRef initial, CustomColours& custom) override;
  std::optional<FontChoice> AskFont(const FontChoice& initial) override;
  bool AskPrint(QPrinter& printer) override;

 private:
  ModalQuestions* previous_;
  bool shown_ = false;
};
