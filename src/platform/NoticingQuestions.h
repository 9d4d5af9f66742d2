#pragma once

#include "platform/ForwardingQuestions.h"

// Passes every question on, for the lifetime of a scope, and remembers whether a message was
// shown, so that a refusal that has already been explained is not explained twice.
class NoticingQuestions : public ForwardingQuestions {
 public:
  bool MessageShown() const { return shown_; }

  void ShowMessage(const std::string& text) override {
    shown_ = true;
    ForwardingQuestions::ShowMessage(text);
  }

 private:
  bool shown_ = false;
};
