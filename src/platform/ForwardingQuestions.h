#pragma once

#include "platform/ModalQuestions.h"

// Installs itself for the lifetime of a scope and passes every question on to the questions
// installed before it; a subclass changes what it needs to (what happens to messages, say).
class ForwardingQuestions : public ModalQuestions {
 public:
  ForwardingQuestions();
  ~ForwardingQuestions() override;
  ForwardingQuestions(const ForwardingQuestions&) = delete;
  ForwardingQuestions& operator=(const ForwardingQuestions&) = delete;

  void ShowMessage(const std::string& text) override;
  QuestionAnswer AskYesNoCancel(const std::string& text) override;
  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
  std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;
  std::optional<std::string> AskFolder(const std::string& initialFolder) override;
  std::optional<ColourRef> AskColour(ColourRef initial, CustomColours& custom) override;
  std::optional<FontChoice> AskFont(const FontChoice& initial) override;
  bool AskPrint(QPrinter& printer) override;

 protected:
  ModalQuestions& Previous() const { return *previous_; }

 private:
  ModalQuestions* previous_;
};
