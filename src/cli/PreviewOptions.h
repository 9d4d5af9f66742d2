#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandArguments.h"
#include "cli/CommandLine.h"
#include "roster/GroupBy.h"
#include "settings/PreviewSettings.h"

// The preview options that the grid and render subcommands share. They start from the built-in
// preview values with the sample pictures of the installation folder, never from the user's
// stored settings, so that the same command gives the same picture everywhere.
class PreviewOptions {
 public:
  // The most images a preview is asked for; the grid lays out no more than this.
  static constexpr std::uint32_t MaxImages = 100000;
  // The largest paper side accepted, in tenths of a millimetre (10 m).
  static constexpr std::uint32_t MaxPaperSide = 100000;
  // The longest caption line accepted, in bytes. A caption is one line on a print; the bound
  // keeps the text fitting, which measures the line at every size it tries, quick.
  static constexpr std::size_t MaxCaptionBytes = 4096;

  explicit PreviewOptions(const std::string& installFolder);

  // Takes the preview option at args[index] with its value. Returns the number of words taken,
  // 0 when args[index] is not a preview option or its value is refused (Error() then says why).
  std::size_t Take(const SubcommandArgs& args, std::size_t index);

  // Parses a whole command line of a subcommand: preview options, the subcommand's own options
  // that take a value (extraOptions) and plain words. The result tells an unknown or incomplete
  // option, a refused value and --help; the preview options given are in Settings().
  CommandArguments Parse(const SubcommandArgs& args,
                         const std::vector<std::string_view>& extraOptions,
                         const std::vector<std::string_view>& flags = {});

  const std::string& Error() const { return error_; }
  const PreviewSettings& Settings() const { return settings_; }
  // The group of the class list asked for with --group, and what the list is grouped by.
  const std::optional<std::string>& Group() const { return group_; }
  const std::optional<GroupBy>& By() const { return groupBy_; }
  // Whether the option was given with a value that was taken; all such options.
  bool Gave(const std::string& option) const { return given_.contains(option); }
  const std::set<std::string>& Given() const { return given_; }

  // The option list for a usage message.
  static const char* Usage();

 private:
  bool Apply(const std::string& option, const std::string& value);
  bool SetPaper(const std::string& value);
  bool SetPicture(const std::string& option, const std::string& value, std::string& path);
  bool SetClassList(const std::string& value);
  bool SetMissing(const std::string& value);
  bool SetGroupBy(const std::string& value);

  PreviewSettings settings_;
  std::optional<std::string> group_;
  std::optional<GroupBy> groupBy_;
  std::set<std::string> given_;
  std::string error_;
};

// Reads a whole unsigned decimal number from low to high; false for anything else.
bool ParseBoundedNumber(const std::string& text, std::uint32_t low, std::uint32_t high,
                        std::uint32_t& value);
