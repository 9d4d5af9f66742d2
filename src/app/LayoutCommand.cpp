#include <ostream>

#include "app/CommandLine.h"

int RunLayoutCommand(const SubcommandArgs&, std::ostream&, std::ostream& err) {
  err << "montage-designer: the layout command is not built yet\n";
  return 2;
}
