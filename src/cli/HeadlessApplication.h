#pragma once

#include <QtGlobal>
#include <memory>

class QGuiApplication;

// The Qt application a headless subcommand needs for fonts and image writers, on the offscreen
// platform so that it runs without any display. When the process already has a Qt application
// (a test, the window) that one is used.
class HeadlessApplication {
 public:
  HeadlessApplication();
  ~HeadlessApplication();
  HeadlessApplication(const HeadlessApplication&) = delete;
  HeadlessApplication& operator=(const HeadlessApplication&) = delete;

 private:
  int argc_ = 3;
  char name_[32] = "montage-designer";
  char platformOption_[16] = "-platform";
  char platform_[16] = "offscreen";
  char* argv_[4] = {name_, platformOption_, platform_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
  QtMessageHandler previousHandler_ = nullptr;
};
