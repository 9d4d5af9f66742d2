#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

// A file as it stands: which file it is, whether it is a regular one, its size and when it was
// last changed. A file whose stamp is unchanged is taken to hold what it held before.
struct FileStamp {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  bool Regular = false;
  std::int64_t Size = 0;
  std::int64_t ModifiedNanoseconds = 0;

  friend auto operator<=>(const FileStamp&, const FileStamp&) = default;
};

// The stamp of whatever the path names; nothing when it cannot be examined.
std::optional<FileStamp> StampOf(const std::string& path);

// Whether the path names anything at all, a folder included; false for an empty path. A path
// that ends in one separator is looked for without it, so a file written with one is found too.
// Wildcards are taken as they are: "*.jpg" names only a file called that.
bool PathExists(const std::string& path);

// Whether the path names a regular file that this process may read.
bool IsReadableFile(const std::string& path);
