#pragma once

#include <iosfwd>
#include <optional>
#include <string_view>

#include "cli/CommandLine.h"

class CommandArguments;

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
  int (*Run)(const SubcommandArgs& args, std::ostream& out, std::ostream& err) = nullptr;

  void WriteUsage(std::ostream& out) const;
  // Reports a command line that cannot be followed: the reason, then the usage. Returns the
  // exit status for it, 2.
  int Refuse(std::ostream& err, std::string_view reason) const;
  // Answers --help and refuses words that were not understood. Returns the exit status when the
  // subcommand ends there, nothing when it goes on with the arguments.
  std::optional<int> Settle(const CommandArguments& arguments, std::ostream& out,
                            std::ostream& err) const;
};

extern const Subcommand LayoutSubcommand;
extern const Subcommand ImageSubcommand;
extern const Subcommand GridSubcommand;
extern const Subcommand RenderSubcommand;

// Flushes what a command wrote to standard output. Returns 0, or 1 after saying on err that it
// could not be written (a full disk, a closed pipe), which would otherwise pass unnoticed.
int FinishOutput(std::ostream& out, std::ostream& err);
