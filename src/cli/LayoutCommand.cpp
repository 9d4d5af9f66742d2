#include <ostream>

#include "cli/CommandLine.h"
#include "cli/LayoutArgument.h"
#include "layout/Montage.h"

int RunLayoutCommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err) {
  if (args.size() > 1) {
    err << "usage: montage-designer layout [FILE]\n";
    return 2;
  }
  Montage layout;
  if (args.size() == 1 && !ReadLayoutArgument(args[0], layout, err)) return 1;
  layout.WriteText(out);
  out.flush();
  if (!out) {
    err << "montage-designer: cannot write the layout to standard output\n";
    return 1;
  }
  return 0;
}
