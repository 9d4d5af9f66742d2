#include "cli/Reporter.h"

#include <ostream>

namespace {

constexpr char kProgramName[] = "montage-designer";

}  // namespace

std::string_view ExitStatusUsage() {
  return "  0  done\n"
         "  1  failed: a file that cannot be read or written\n"
         "  2  a command line that cannot be followed\n"
         "  3  done, but pictures of the class list could not be drawn; each is named on\n"
         "     standard error and its cell drawn empty; for batch, every composite was\n"
         "     written but pictures were missing or unreadable (see its report)\n"
         "  130 batch was interrupted (SIGINT or SIGTERM); the composites written are kept\n";
}

void Reporter::Say(std::string_view text) {
  EndProgress();
  err_ << kProgramName << ": " << text << '\n';
}

int Reporter::Fail(std::string_view text) {
  Say(text);
  return ExitFailed;
}

int Reporter::Refuse(std::string_view reason, std::string_view usage) {
  Say(reason);
  err_ << usage;
  return ExitUsage;
}

void Reporter::Relay(std::string_view text) {
  EndProgress();
  err_ << text << '\n';
}

void Reporter::Progress(std::string_view text, bool inPlace) {
  if (!inPlace) {
    Say(text);
    return;
  }
  // Back to the start of the line, the text, then the rest of the old line erased.
  err_ << '\r' << text << "\x1b[K" << std::flush;
  progressShown_ = true;
}

void Reporter::EndProgress() {
  if (!progressShown_) return;
  err_ << "\r\x1b[K" << std::flush;
  progressShown_ = false;
}
