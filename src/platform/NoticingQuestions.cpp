#include "platform/NoticingQuestions.h"

NoticingQuestions::NoticingQuestions() : previous_(&ModalQuestions::Current()) { Install(this); }

NoticingQuestions::~NoticingQuestions() { Install(previous_); }

void NoticingQuestions::ShowMessage(const std::string& text) {
  shown_ = true;
  previous_->ShowMessage(text);
}

QuestionAnswer NoticingQuestions::AskYesNoCancel(const std::string& text) {
  return previous_->AskYesNoCancel(text);
}

std::optional<std::string> NoticingQuestions::AskOpenPath(const FileDialogRequest& request) {
  return previous_->AskOpenPath(request);
}

std::optional<std::string> NoticingQuestions::AskSavePath(const FileDialogRequest& request) {
  return previous_->AskSavePath(request);
}

std::optional<ColourRef> NoticingQuestions::AskColour(ColourRef initial, CustomColours& custom) {
  return previous_->AskColour(initial, custom);
}

std::optional<FontChoice> NoticingQuestions::AskFont(const FontChoice& initial) {
  return previous_->AskFont(initial);
}

bool NoticingQuestions::AskPrint(QPrinter& printer) { return previous_->AskPrint(printer); }
