#include "platform/FileStamp.h"

#include <sys/stat.h>
#include <unistd.h>

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileStamp{
      static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
      S_ISREG(info.st_mode), static_cast<std::int64_t>(info.st_size),
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

bool PathExists(const std::string& path) {
  if (path.empty()) return false;
  std::string name = path;
  if (name.size() > 1 && name.back() == '/') name.pop_back();
  return StampOf(name).has_value();
}

bool IsReadableFile(const std::string& path) {
  const std::optional<FileStamp> stamp = StampOf(path);
  return stamp && stamp->Regular && ::access(path.c_str(), R_OK) == 0;
}
