#include "cli/Subcommand.h"

#include <ostream>

#include "cli/CommandArguments.h"
#include "cli/PreviewOptions.h"
#include "cli/Reporter.h"

std::string Subcommand::Usage() const {
  std::string usage = "usage: montage-designer ";
  usage.append(Name).append(" ").append(Synopsis).append("\n");
  usage.append(Summary).append("\n").append(OptionLines);
  if (TakesPreviewOptions) usage += PreviewOptions::Usage();
  return usage;
}

int Subcommand::Refuse(Reporter& reporter, std::string_view reason) const {
  return reporter.Refuse(reason, Usage());
}

std::optional<int> Subcommand::Settle(const CommandArguments& arguments, std::ostream& out,
                                      Reporter& reporter) const {
  if (arguments.HelpAsked()) {
    out << Usage();
    return FinishOutput(out, reporter);
  }
  // A mistyped option is named in one line rather than buried above a screen of usage.
  if (!arguments.UnknownOption().empty()) {
    return reporter.Refuse("unknown option " + arguments.UnknownOption() +
                           "; try montage-designer " + std::string(Name) + " --help");
  }
  if (!arguments.Error().empty()) return Refuse(reporter, arguments.Error());
  return std::nullopt;
}

int FinishOutput(std::ostream& out, Reporter& reporter) {
  out.flush();
  if (out) return ExitDone;
  return reporter.Fail("cannot write to standard output");
}
