#include <ostream>

#include "cli/CommandArguments.h"
#include "cli/LayoutArgument.h"
#include "cli/Subcommand.h"
#include "layout/Montage.h"

namespace {

int RunLayoutCommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err) {
  const CommandArguments arguments(args, {});
  if (const auto status = LayoutSubcommand.Settle(arguments, out, err)) return *status;
  if (arguments.Words().size() > 1) return LayoutSubcommand.Refuse(err, "more than one file given");
  Montage layout;
  if (arguments.Words().size() == 1 && !ReadLayoutArgument(arguments.Words()[0], layout, err)) {
    return 1;
  }
  layout.WriteText(out);
  out.flush();
  if (!out) {
    err << "montage-designer: cannot write the layout to standard output\n";
    return 1;
  }
  return 0;
}

}  // namespace

const Subcommand LayoutSubcommand{
    .Name = "layout",
    .Synopsis = "[FILE]",
    .Summary = "Writes FILE, or the default layout, to standard output in the current format.",
    .Run = RunLayoutCommand,
};
