#include "platform/ModalQuestions.h"

#include <iostream>

namespace {

ModalQuestions* installed = nullptr;

AskedQuestion Question(AskedQuestion::Kind kind) {
  AskedQuestion question;
  question.What = kind;
  return question;
}

AskedQuestion Question(AskedQuestion::Kind kind, const std::string& text) {
  AskedQuestion question = Question(kind);
  question.Text = text;
  return question;
}

AskedQuestion Question(AskedQuestion::Kind kind, const FileDialogRequest& request) {
  AskedQuestion question = Question(kind);
  question.File = request;
  return question;
}

}  // namespace

ModalQuestions& ModalQuestions::Current() {
  static StreamQuestions commandLine;
  return installed != nullptr ? *installed : commandLine;
}

void ModalQuestions::Install(ModalQuestions* questions) { installed = questions; }

StreamQuestions::StreamQuestions() : stream_(&std::cerr) {}

void StreamQuestions::ShowMessage(const std::string& text) { *stream_ << text << '\n'; }

QuestionAnswer StreamQuestions::AskYesNoCancel(const std::string& text) {
  *stream_ << text << '\n';
  return QuestionAnswer::Cancel;
}

std::optional<std::string> StreamQuestions::AskOpenPath(const FileDialogRequest&) { return {}; }

std::optional<std::string> StreamQuestions::AskSavePath(const FileDialogRequest&) { return {}; }

std::optional<std::string> StreamQuestions::AskFolder(const std::string&) { return {}; }

std::optional<ColourRef> StreamQuestions::AskColour(ColourRef, CustomColours&) { return {}; }

std::optional<FontChoice> StreamQuestions::AskFont(const FontChoice&) { return {}; }

bool StreamQuestions::AskPrint(QPrinter&) { return false; }

template <typename Answer>
Answer ScriptedQuestions::Next(std::deque<Answer>& answers, Answer cancelled) {
  if (answers.empty()) {
    ++unanswered_;
    return cancelled;
  }
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

void ScriptedQuestions::ShowMessage(const std::string& text) {
  messages_.push_back(text);
  asked_.push_back(Question(AskedQuestion::Kind::Message, text));
}

QuestionAnswer ScriptedQuestions::AskYesNoCancel(const std::string& text) {
  asked_.push_back(Question(AskedQuestion::Kind::YesNoCancel, text));
  return Next(answers_, QuestionAnswer::Cancel);
}

std::optional<std::string> ScriptedQuestions::AskOpenPath(const FileDialogRequest& request) {
  asked_.push_back(Question(AskedQuestion::Kind::OpenPath, request));
  return Next(paths_, std::optional<std::string>());
}

std::optional<std::string> ScriptedQuestions::AskSavePath(const FileDialogRequest& request) {
  asked_.push_back(Question(AskedQuestion::Kind::SavePath, request));
  return Next(paths_, std::optional<std::string>());
}

std::optional<std::string> ScriptedQuestions::AskFolder(const std::string& initialFolder) {
  asked_.push_back(Question(AskedQuestion::Kind::Folder, FileDialogRequest{{}, {}, initialFolder}));
  return Next(paths_, std::optional<std::string>());
}

void ScriptedQuestions::AnswerColour(std::optional<ColourRef> colour) {
  colours_.push_back([colour](CustomColours&) { return colour; });
}

void ScriptedQuestions::AnswerColour(
    std::function<std::optional<ColourRef>(CustomColours&)> answer) {
  colours_.push_back(std::move(answer));
}

std::optional<ColourRef> ScriptedQuestions::AskColour(ColourRef initial, CustomColours& custom) {
  AskedQuestion question = Question(AskedQuestion::Kind::Colour);
  question.Colour = initial;
  asked_.push_back(question);
  const auto answer = Next(colours_, std::function<std::optional<ColourRef>(CustomColours&)>());
  return answer ? answer(custom) : std::nullopt;
}

std::optional<FontChoice> ScriptedQuestions::AskFont(const FontChoice& initial) {
  AskedQuestion question = Question(AskedQuestion::Kind::Font);
  question.Font = initial;
  asked_.push_back(question);
  return Next(fonts_, std::optional<FontChoice>());
}

bool ScriptedQuestions::AskPrint(QPrinter& printer) {
  asked_.push_back(Question(AskedQuestion::Kind::Print));
  const auto answer = Next(prints_, std::function<bool(QPrinter&)>());
  return answer ? answer(printer) : false;
}

void ScriptedQuestions::Forget() {
  messages_.clear();
  asked_.clear();
  unanswered_ = 0;
}

ScopedScriptedQuestions::ScopedScriptedQuestions() : previous_(installed) { Install(this); }

ScopedScriptedQuestions::~ScopedScriptedQuestions() { Install(previous_); }
