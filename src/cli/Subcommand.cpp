#include "cli/Subcommand.h"

#include <ostream>

#include "cli/CommandArguments.h"
#include "cli/PreviewOptions.h"

void Subcommand::WriteUsage(std::ostream& out) const {
  out << "usage: montage-designer " << Name << ' ' << Synopsis << '\n'
      << Summary << '\n'
      << OptionLines;
  if (TakesPreviewOptions) out << PreviewOptions::Usage();
}

int Subcommand::Refuse(std::ostream& err, std::string_view reason) const {
  err << "montage-designer: " << reason << '\n';
  WriteUsage(err);
  return 2;
}

std::optional<int> Subcommand::Settle(const CommandArguments& arguments, std::ostream& out,
                                      std::ostream& err) const {
  if (arguments.HelpAsked()) {
    WriteUsage(out);
    return FinishOutput(out, err);
  }
  // A mistyped option is named in one line rather than buried above a screen of usage.
  if (!arguments.UnknownOption().empty()) {
    err << "montage-designer: unknown option " << arguments.UnknownOption()
        << "; try montage-designer " << Name << " --help\n";
    return 2;
  }
  if (!arguments.Error().empty()) return Refuse(err, arguments.Error());
  return std::nullopt;
}

int FinishOutput(std::ostream& out, std::ostream& err) {
  out.flush();
  if (out) return 0;
  err << "montage-designer: cannot write to standard output\n";
  return 1;
}
