#include "platform/ModalQuestions.h"

#include <iostream>

namespace {

ModalQuestions* installed = nullptr;

}  // namespace

ModalQuestions& ModalQuestions::Current() {
  static StreamQuestions commandLine;
  return installed != nullptr ? *installed : commandLine;
}

void ModalQuestions::Install(ModalQuestions* questions) { installed = questions; }

StreamQuestions::StreamQuestions() : stream_(&std::cerr) {}

void StreamQuestions::ShowMessage(const std::string& text) { *stream_ << text << '\n'; }

void ScriptedQuestions::ShowMessage(const std::string& text) { messages_.push_back(text); }

ScopedScriptedQuestions::ScopedScriptedQuestions() : previous_(installed) { Install(this); }

ScopedScriptedQuestions::~ScopedScriptedQuestions() { Install(previous_); }
