#pragma once

#include <optional>
#include <string>
#include <string_view>

// Replaces the file at path with bytes so that, whatever fails, the file is either what it was
// or the whole new contents: the bytes go to a new file beside it, are flushed to the disk, and
// the new file is renamed over the old one, after which the folder is flushed too. A symbolic
// link is followed and its target replaced; a new file gets the old one's permissions, or the
// usual ones under the process's umask. Returns nothing on success, otherwise the system's text
// for the call that failed (strerror), and the old file is left as it was.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);
