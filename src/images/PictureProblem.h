#pragma once

#include <string>

// A picture a composite wanted and could not draw: its path and the reason, for the caller to
// show (the command line on standard error, the window in a message), and the name of the
// subject whose picture it is ("First Last"; empty for a sample picture), which a proof or a
// report gives the school.
struct PictureProblem {
  std::string Path;
  std::string Error;
  std::string Subject = {};
  friend bool operator==(const PictureProblem&, const PictureProblem&) = default;
};
