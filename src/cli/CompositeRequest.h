#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandArguments.h"
#include "cli/CommandLine.h"
#include "images/CompositeSubjects.h"
#include "images/PictureProblem.h"
#include "layout/Montage.h"
#include "platform/Rect.h"
#include "roster/GroupBy.h"
#include "settings/PreviewSettings.h"

class Reporter;
struct Subcommand;

// What the grid, render and batch subcommands are asked to lay out: a layout read from the file
// named on the command line, the preview values from the built-in defaults and the options, and
// who the composite shows: the samples, the class of --class, or one group of it (--group), its
// caption lines' fields filled for the group.
class CompositeRequest {
 public:
  // Parses the command line of the command (the plain words it takes, named in words for the
  // messages, the layout file first; preview options; the command's own options that take a
  // value and its flags) and reads the layout. Returns nothing when all is well, otherwise the
  // exit status, with the usage on out after --help or the reason reported.
  std::optional<int> Parse(const SubcommandArgs& args, const Subcommand& command,
                           const std::vector<std::string_view>& extraOptions, std::ostream& out,
                           Reporter& reporter, const std::vector<std::string_view>& flags = {},
                           const std::vector<std::string_view>& words = {"layout file"});

  const Montage& Layout() const { return layout_; }
  const PreviewSettings& Settings() const { return settings_; }
  const CompositeSubjects& Subjects() const { return *subjects_; }
  // The plain word at index (0 is the layout file's).
  const std::string& Word(std::size_t index) const { return arguments_->Words()[index]; }
  // The value of one of the subcommand's own options, or nothing when it was not given; every
  // value of one that may be repeated; whether a flag was given.
  const std::string* Extra(const std::string& option) const;
  std::vector<std::string> Extras(const std::string& option) const;
  bool Flag(const std::string& option) const { return arguments_ && arguments_->Flag(option); }
  // Whether a preview option was given, and the grouping asked for.
  bool Gave(const std::string& option) const { return given_.contains(option); }
  const std::optional<GroupBy>& By() const { return groupBy_; }
  // The page in layout units, after the layout's Portrait flag.
  Rect Page() const;

  // Reads --dpi into dpi (kept when the option was not given). Returns nothing when all is
  // well, otherwise the exit status after the reporter has said why.
  std::optional<int> ReadDpi(std::uint32_t& dpi, Reporter& reporter) const;

 private:
  std::optional<int> ChooseGroup(const std::string& name, Reporter& reporter);

  Montage layout_;
  PreviewSettings settings_;
  std::optional<CompositeSubjects> subjects_;
  std::optional<CommandArguments> arguments_;
  std::set<std::string> given_;
  std::optional<GroupBy> groupBy_;
};

// Names each picture of a class that could not be drawn, with the reason. Returns the exit
// status that tells scripts about them, or done when there were none.
int ReportPictureProblems(const std::vector<PictureProblem>& problems, Reporter& reporter);
