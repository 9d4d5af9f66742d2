#include "cli/CommandLine.h"

#include <array>
#include <ostream>
#include <string_view>

#include "cli/PreviewOptions.h"
#include "cli/Reporter.h"
#include "cli/Subcommand.h"
#include "layout/LayoutText.h"
#include "layout/LayoutVersion.h"
#include "platform/FileStamp.h"

namespace {

constexpr std::array<const Subcommand*, 5> kSubcommands{
    &LayoutSubcommand, &ImageSubcommand, &GridSubcommand, &RenderSubcommand, &BatchSubcommand};

void WriteProgramUsage(std::ostream& out) {
  out << "usage: montage-designer [LAYOUT]\n"
         "       montage-designer SUBCOMMAND ARGUMENTS...\n"
         "       montage-designer [SUBCOMMAND] --help\n"
         "       montage-designer --version\n"
         "\n"
         "Without a subcommand the designer window opens, on the layout file LAYOUT when one is\n"
         "given; the window needs a display. LAYOUT must be an existing file or a path with a\n"
         "'/' (write ./NAME for a file named like a subcommand or starting with a dash); any\n"
         "other word, and any option not shown here, is refused.\n"
         "\n"
         "Exit status:\n"
      << ExitStatusUsage()
      << "\n"
         "Subcommands, which need no display (options may come anywhere after the subcommand;\n"
         "\"--\" ends them):\n";
  for (const Subcommand* command : kSubcommands) {
    out << "  " << command->Name << ' ' << command->Synopsis << "\n      " << command->Summary
        << '\n';
  }
  out << '\n' << PreviewOptions::Usage();
}

// The names of the subcommands as a sentence lists them: "a, b, c and d".
std::string SubcommandNames() {
  std::string names;
  for (std::size_t i = 0; i < kSubcommands.size(); ++i) {
    if (i != 0) names += i + 1 == kSubcommands.size() ? " and " : ", ";
    names += kSubcommands[i]->Name;
  }
  return names;
}

int RefuseWord(Reporter& reporter, const std::string& what) {
  return reporter.Refuse(what + "; try montage-designer --help");
}

// A word that names no subcommand is the window's layout file when it is one, or when it is
// written as a path; the window then says itself why a path cannot be opened. Any other word is
// far more likely a mistyped subcommand than a layout, and is refused.
bool IsLayoutArgument(const std::string& word) {
  return word.find('/') != std::string::npos || PathExists(word);
}

// The window's command line: at most one layout file and no options other than --help and
// --version. Qt's own options are not passed on; its environment variables do the same work.
std::optional<int> RunWindowCommandLine(const SubcommandArgs& args, std::ostream& out,
                                        Reporter& reporter) {
  for (const std::string& word : args) {
    if (word == "--help" || word == "-h") {
      WriteProgramUsage(out);
      return FinishOutput(out, reporter);
    }
    if (word == "--version") {
      out << "montage-designer " << FormatVersion(ProgramVersion) << '\n';
      return FinishOutput(out, reporter);
    }
    if (!word.empty() && word[0] == '-' && word != "-") {
      return RefuseWord(reporter, "unknown option " + word);
    }
  }
  if (!IsLayoutArgument(args[0])) {
    return RefuseWord(reporter, "\"" + args[0] + "\" is neither a subcommand nor a file");
  }
  if (args.size() > 1) {
    return RefuseWord(reporter,
                      "the window opens one layout file; \"" + args[1] + "\" is one too many");
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> RunCommandLine(const SubcommandArgs& args, std::ostream& out,
                                  std::ostream& err) {
  if (args.empty()) return std::nullopt;
  Reporter reporter(err);
  for (const Subcommand* command : kSubcommands) {
    if (args[0] == command->Name) {
      return command->Run(SubcommandArgs(args.begin() + 1, args.end()), out, reporter);
    }
  }
  return RunWindowCommandLine(args, out, reporter);
}

int RefuseWindowWithoutDisplay(std::ostream& err) {
  Reporter reporter(err);
  // A usage mistake in this setting: the same words work where there is a display.
  return RefuseWord(
      reporter,
      "the designer window needs a display (DISPLAY or WAYLAND_DISPLAY); the subcommands " +
          SubcommandNames() + " work without one");
}
