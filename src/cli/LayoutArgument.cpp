#include "cli/LayoutArgument.h"

#include "cli/Reporter.h"
#include "layout/LayoutFile.h"

std::optional<int> ReadLayoutArgument(const std::string& path, Montage& layout,
                                      Reporter& reporter) {
  using Outcome = LayoutReadResult::Outcome;
  const LayoutReadResult read = ReadLayoutFromFile(path, layout);
  switch (read.What) {
    case Outcome::Read:
      return std::nullopt;
    case Outcome::CannotOpen:
      return reporter.Fail("cannot open " + path + ": " + read.Message);
    case Outcome::CannotRead:
      return reporter.Fail("cannot read " + path + ": " + read.Message);
    case Outcome::NotALayout:
      return reporter.Fail(path + " is not a layout file");
    case Outcome::LaterVersion:
      reporter.Relay(read.Message);
      return ExitFailed;
  }
  return ExitFailed;
}
