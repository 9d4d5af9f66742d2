#include "cli/LayoutArgument.h"

#include <ostream>

#include "layout/LayoutFile.h"
#include "layout/Montage.h"
#include "platform/NoticingQuestions.h"

bool ReadLayoutArgument(const std::string& path, Montage& layout, std::ostream& err) {
  LayoutFile file(path);
  if (!file.IsOpen()) {
    err << "montage-designer: cannot open " << path << ": " << file.Error() << '\n';
    return false;
  }
  NoticingQuestions questions;
  const bool read = layout.ReadText(file.Stream());
  if (!file.Error().empty()) {
    err << "montage-designer: cannot read " << path << ": " << file.Error() << '\n';
    return false;
  }
  if (!read && !questions.MessageShown()) {
    err << "montage-designer: " << path << " is not a layout file\n";
  }
  return read;
}
