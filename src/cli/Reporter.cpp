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
         "     standard error and its cell drawn empty\n";
}

void Reporter::Say(std::string_view text) { err_ << kProgramName << ": " << text << '\n'; }

int Reporter::Fail(std::string_view text) {
  Say(text);
  return ExitFailed;
}

int Reporter::Refuse(std::string_view reason, std::string_view usage) {
  Say(reason);
  err_ << usage;
  return ExitUsage;
}

void Reporter::Relay(std::string_view text) { err_ << text << '\n'; }
