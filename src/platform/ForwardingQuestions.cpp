#include "platform/ForwardingQuestions.h"

ForwardingQuestions::ForwardingQuestions() : previous_(&ModalQuestions::Current()) {
  Install(this);
}

ForwardingQuestions::~ForwardingQuestions() { Install(previous_); }

void ForwardingQuestions::ShowMessage(const std::string& text) { previous_->ShowMessage(text); }

QuestionAnswer ForwardingQuestions::AskYesNoCancel(const std::string& text) {
  return previous_->AskYesNoCancel(text);
}

std::optional<std::string> ForwardingQuestions::AskOpenPath(const FileDialogRequest& request) {
  return previous_->AskOpenPath(request);
}

std::optional<std::string> ForwardingQuestions::AskSavePath(const FileDialogRequest& request) {
  return previous_->AskSavePath(request);
}

std::optional<std::string> ForwardingQuestions::AskFolder(const std::string& initialFolder) {
  return previous_->AskFolder(initialFolder);
}

std::optional<ColourRef> ForwardingQuestions::AskColour(ColourRef initial, CustomColours& custom) {
  return previous_->AskColour(initial, custom);
}

std::optional<FontChoice> ForwardingQuestions::AskFont(const FontChoice& initial) {
  return previous_->AskFont(initial);
}

bool ForwardingQuestions::AskPrint(QPrinter& printer) { return previous_->AskPrint(printer); }
