#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

// Widgets need a QApplication, not only a QGuiApplication. The tests run on Qt's offscreen
// platform, so no display is needed.
class ApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override { application_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "shell-tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace
