#pragma once

#include <string>

// A picture a composite wanted and could not draw: its path and the reason, for the caller to
// show (the command line on standard error, the window in a message).
struct PictureProblem {
  std::string Path;
  std::string Error;
  friend bool operator==(const PictureProblem&, const PictureProblem&) = default;
};
