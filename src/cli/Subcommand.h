#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CommandLine.h"

class CommandArguments;
class Reporter;

// One headless subcommand: its name, the parts of its usage and the function that runs it. The
// usage is written from these parts alone, for --help, after a mistake and in the program's own
// usage, so that there is one text per subcommand.
struct Subcommand {
  std::string_view Name;
  // The words it takes, as the usage line shows them after the name.
  std::string_view Synopsis;
  // What it does, in one line.
  std::string_view Summary;
  // Lines that explain its own options; empty when it has none.
  std::string_view OptionLines = {};
  bool TakesPreviewOptions = false;
  // Runs the subcommand on the words after its name; returns the exit status.
  int (*Run)(const SubcommandArgs& args, std::ostream& out, Reporter& reporter) = nullptr;

  std::string Usage() const;
  // Reports a command line that cannot be followed: the reason, then the usage. Returns the
  // exit status for it.
  int Refuse(Reporter& reporter, std::string_view reason) const;
  // Answers --help and refuses words that were not understood. Returns the exit status when the
  // subcommand ends there, nothing when it goes on with the arguments.
  std::optional<int> Settle(const CommandArguments& arguments, std::ostream& out,
                            Reporter& reporter) const;
};

extern const Subcommand LayoutSubcommand;
extern const Subcommand ImageSubcommand;
extern const Subcommand GridSubcommand;
extern const Subcommand RenderSubcommand;
extern const Subcommand BatchSubcommand;

// Flushes what a command wrote to standard output. Returns the status of work done, or of work
// that failed after saying that it could not be written (a full disk, a closed pipe), which
// would otherwise pass unnoticed.
int FinishOutput(std::ostream& out, Reporter& reporter);
