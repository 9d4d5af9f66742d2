#include "shell/DeferredMessages.h"

DeferredMessages::DeferredMessages() : previous_(&ModalQuestions::Current()) { Install(this); }

DeferredMessages::~DeferredMessages() { Install(previous_); }

QuestionAnswer DeferredMessages::AskYesNoCancel(const std::string& text) {
  return previous_->AskYesNoCancel(text);
}

std::optional<std::string> DeferredMessages::AskOpenPath(const FileDialogRequest& request) {
  return previous_->AskOpenPath(request);
}

std::optional<std::string> DeferredMessages::AskSavePath(const FileDialogRequest& request) {
  return previous_->AskSavePath(request);
}

std::optional<ColourRef> DeferredMessages::AskColour(ColourRef initial, CustomColours& custom) {
  return previous_->AskColour(initial, custom);
}

std::optional<FontChoice> DeferredMessages::AskFont(const FontChoice& initial) {
  return previous_->AskFont(initial);
}

bool DeferredMessages::AskPrint(QPrinter& printer) { return previous_->AskPrint(printer); }
