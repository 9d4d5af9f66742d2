#pragma once

#include <iosfwd>
#include <string>

class Montage;

// Reads the layout file a subcommand was given. On failure the reason (or the reader's own
// message, already shown) is on err and the result is false.
bool ReadLayoutArgument(const std::string& path, Montage& layout, std::ostream& err);
