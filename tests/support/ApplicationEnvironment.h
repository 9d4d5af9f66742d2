#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/RepeatableText.h"

// Qt's application object for the whole test program, on the offscreen platform the test
// launcher sets, so no display is needed. GuiApplication.cpp makes a QGuiApplication for the
// tests that draw text; WidgetApplication.cpp a QApplication for those that make widgets. Add
// one of the two to a test program's sources.
template <typename Application>
class ApplicationEnvironment : public testing::Environment {
 public:
  // Text is drawn as the program draws it (see MakeTextRepeatable).
  void SetUp() override {
    MakeTextRepeatable();
    application_ = std::make_unique<Application>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "montage-tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<Application> application_;
};
