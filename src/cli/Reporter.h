#pragma once

#include <iosfwd>
#include <string_view>

// The exit statuses of the program; --help lists them with what each means.
enum ExitStatus : int {
  ExitDone = 0,
  ExitFailed = 1,
  ExitUsage = 2,
  ExitPicturesMissing = 3,
  // Stopped by SIGINT or SIGTERM, as shells report a command ended by an interrupt.
  ExitInterrupted = 130,
};

// The exit statuses as the usage lists them, one a line.
std::string_view ExitStatusUsage();

// Every message the command line gives its user goes through one reporter onto standard error.
// Its own messages, errors and warnings alike, follow the program's name; the messages that the
// window shows in a box (a picture's error, a layout from a later version, a sample that cannot
// be read) are passed on in the window's words, so that both tell the user the same.
class Reporter {
 public:
  explicit Reporter(std::ostream& err) : err_(err) {}

  // "montage-designer: " and the text, on a line of its own.
  void Say(std::string_view text);
  // Says the text; returns the status of work that failed.
  int Fail(std::string_view text);
  // Says why the command line cannot be followed, then the usage when there is one; returns the
  // status for it.
  int Refuse(std::string_view reason, std::string_view usage = {});
  // A message of the window's, on lines of its own as the window words it.
  void Relay(std::string_view text);

  // A line of progress: on a terminal rewritten in place, the cursor left at its end, so that
  // the next one replaces it; otherwise a line of its own after the program's name.
  void Progress(std::string_view text, bool inPlace);
  // Clears a line of progress left in place, so that what follows starts on a clean line.
  void EndProgress();

 private:
  std::ostream& err_;
  bool progressShown_ = false;
};
