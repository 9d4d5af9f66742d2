#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The headless subcommands. Each takes the words after its name and writes to the given
// streams; messages that the window would show in a box go to the error stream.
using SubcommandArgs = std::vector<std::string>;

int RunLayoutCommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err);
int RunGridCommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err);
int RunRenderCommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err);
int RunImageCommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err);

// Runs the subcommand that args[0] names and returns its exit status, or nothing when args[0]
// is not a subcommand (the window handles that case).
std::optional<int> RunSubcommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err);
