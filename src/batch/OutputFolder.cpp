#include "batch/OutputFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

std::string Refusal(const std::string& folder, const std::string& reason) {
  return "cannot write into the folder " + folder + ": " + reason;
}

}  // namespace

std::optional<std::string> PrepareOutputFolder(const std::string& folder) {
  if (folder.empty()) return "no output folder given";
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) return Refusal(folder, error.message());
  if (!fs::is_directory(folder, error)) return Refusal(folder, "it is not a folder");
  // Permissions alone do not tell: a read-only mount, a full disk of inodes or an access
  // control list refuse only the real attempt.
  const std::string probe =
      (fs::path(folder) / ".montage-write-check").string() + "." + std::to_string(::getpid());
  const int descriptor = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (descriptor < 0) return Refusal(folder, std::strerror(errno));
  ::close(descriptor);
  ::unlink(probe.c_str());
  return std::nullopt;
}
