#pragma once

#include <optional>
#include <string>

// Makes the folder a batch writes into, with the folders above it, and proves that files can be
// made in it by making and removing one, so that a folder that cannot take the composites is
// told before the first is drawn rather than after minutes of drawing. Returns the reason the
// folder cannot be used, naming it; nothing when it can.
std::optional<std::string> PrepareOutputFolder(const std::string& folder);
