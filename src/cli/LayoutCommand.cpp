#include <ostream>

#include "cli/CommandArguments.h"
#include "cli/LayoutArgument.h"
#include "cli/Reporter.h"
#include "cli/Subcommand.h"
#include "layout/Montage.h"

namespace {

int RunLayoutCommand(const SubcommandArgs& args, std::ostream& out, Reporter& reporter) {
  const CommandArguments arguments(args, {});
  if (const auto status = LayoutSubcommand.Settle(arguments, out, reporter)) return *status;
  if (arguments.Words().size() > 1) {
    return LayoutSubcommand.Refuse(reporter, "more than one file given");
  }
  Montage layout;
  if (arguments.Words().size() == 1) {
    if (const auto status = ReadLayoutArgument(arguments.Words()[0], layout, reporter)) {
      return *status;
    }
  }
  layout.WriteText(out);
  out.flush();
  if (!out) return reporter.Fail("cannot write the layout to standard output");
  return ExitDone;
}

}  // namespace

const Subcommand LayoutSubcommand{
    .Name = "layout",
    .Synopsis = "[FILE]",
    .Summary = "Writes FILE, or the default layout, to standard output in the current format.",
    .Run = RunLayoutCommand,
};
