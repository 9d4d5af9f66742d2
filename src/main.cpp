#include <cstdlib>
#include <iostream>

#include "cli/CommandLine.h"
#include "platform/RepeatableText.h"
#include "shell/CMontageApp.h"

namespace {

// Qt ends the process with a platform-plugin error when there is no display to open a window
// on; a person who started the program from a terminal without one is better told in plain
// words, and which commands do work.
bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  MakeTextRepeatable();
  const SubcommandArgs args(argv + 1, argv + argc);
  if (const auto status = RunCommandLine(args, std::cout, std::cerr)) return *status;
  if (!HasDisplay()) return RefuseWindowWithoutDisplay(std::cerr);
  return RunDesigner(argc, argv);
}
