#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

// Widget tests need a QApplication for the whole program; the tests run on the offscreen
// platform, so no display is needed. Add this file to a test program's sources.
class WidgetApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override { application_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "widget-tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new WidgetApplicationEnvironment);

}  // namespace
