#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {

// Text drawing needs Qt's font database, which lives in a QGuiApplication; the tests run on
// the offscreen platform, so no display is needed.
class GuiApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override { application_ = std::make_unique<QGuiApplication>(argc_, argv_); }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "platform-tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

}  // namespace
