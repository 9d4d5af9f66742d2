#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandLine.h"
#include "engine/Rect.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"

// What the grid and render subcommands are asked to lay out: a layout read from the file named
// on the command line and the preview values from the built-in defaults and the options.
class CompositeRequest {
 public:
  // Parses the command line (one layout file, preview options and the subcommand's own options
  // that take a value) and reads the layout. Returns 0 when all is well, otherwise the exit
  // status, with the reason on err: 2 for a usage mistake, 1 for a layout that cannot be read.
  int Parse(const SubcommandArgs& args, const std::vector<std::string_view>& extraOptions,
            const std::string& usage, std::ostream& err);

  const Montage& Layout() const { return layout_; }
  const PreviewSettings& Settings() const { return settings_; }
  // The value of one of the subcommand's own options, or nothing when it was not given.
  const std::string* Extra(const std::string& option) const;
  // The page in layout units, after the layout's Portrait flag.
  Rect Page() const;

 private:
  Montage layout_;
  PreviewSettings settings_;
  std::map<std::string, std::string> extras_;
};
