#pragma once

#include <optional>
#include <string>

class Montage;
class Reporter;

// Reads the layout file a subcommand was given into the layout. Returns nothing when it was
// read, otherwise the exit status after the reporter has said why.
std::optional<int> ReadLayoutArgument(const std::string& path, Montage& layout, Reporter& reporter);
