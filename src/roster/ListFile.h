#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Reads the whole of a list file of at most maxBytes into text. The file is opened without
// waiting and examined before a byte is read, so a FIFO, a device or a folder named as a list
// is refused at once instead of waiting forever for a writer or reading without end. Returns
// the reason the file could not be read, nothing when it was.
std::optional<std::string> ReadListFile(const std::string& path, std::size_t maxBytes,
                                        std::string& text);
