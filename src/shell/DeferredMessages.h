#pragma once

#include <string>
#include <vector>

#include "platform/ForwardingQuestions.h"

// Holds back the messages shown during a scope and passes every other question on to the
// questions installed before it. The preview draws while it paints, and a message box opened
// from inside a paint event would run a nested event loop in the middle of painting; the view
// takes the held messages and shows them once the paint has ended.
class DeferredMessages : public ForwardingQuestions {
 public:
  // The messages held so far, in order; the list is empty afterwards.
  std::vector<std::string> Take() { return std::move(held_); }

  void ShowMessage(const std::string& text) override { held_.push_back(text); }

 private:
  std::vector<std::string> held_;
};
