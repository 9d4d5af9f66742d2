#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandArguments.h"
#include "cli/CommandLine.h"
#include "images/PictureProblem.h"
#include "layout/Montage.h"
#include "platform/Rect.h"
#include "settings/PreviewSettings.h"

class Reporter;
struct Subcommand;

// What the grid and render subcommands are asked to lay out: a layout read from the file named
// on the command line and the preview values from the built-in defaults and the options.
class CompositeRequest {
 public:
  // Parses the command line of the command (one layout file, preview options and the command's
  // own options that take a value) and reads the layout. Returns nothing when all is well,
  // otherwise the exit status, with the usage on out after --help or the reason reported.
  std::optional<int> Parse(const SubcommandArgs& args, const Subcommand& command,
                           const std::vector<std::string_view>& extraOptions, std::ostream& out,
                           Reporter& reporter);

  const Montage& Layout() const { return layout_; }
  const PreviewSettings& Settings() const { return settings_; }
  // The value of one of the subcommand's own options, or nothing when it was not given.
  const std::string* Extra(const std::string& option) const;
  // The page in layout units, after the layout's Portrait flag.
  Rect Page() const;

 private:
  Montage layout_;
  PreviewSettings settings_;
  std::optional<CommandArguments> arguments_;
};

// Names each picture of a class that could not be drawn, with the reason. Returns the exit
// status that tells scripts about them, or done when there were none.
int ReportPictureProblems(const std::vector<PictureProblem>& problems, Reporter& reporter);
