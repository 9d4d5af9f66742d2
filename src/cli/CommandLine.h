#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The words of a command line after the program's name, or after a subcommand's name.
using SubcommandArgs = std::vector<std::string>;

// Does what the program's command line asks for short of opening the window: runs a subcommand,
// answers --help or --version, or refuses a word it does not know (exit status 2). Returns the
// exit status, or nothing when the window should open, on the layout file in args if one is named.
std::optional<int> RunCommandLine(const SubcommandArgs& args, std::ostream& out, std::ostream& err);

// Says on err that the window needs a display and which subcommands need none; returns the exit
// status for it.
int RefuseWindowWithoutDisplay(std::ostream& err);
