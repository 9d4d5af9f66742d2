#include "platform/AtomicWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

std::string SystemText(int error) {
  const char* text = std::strerror(error);
  return text != nullptr && *text != '\0' ? std::string(text) : std::string("Reason not known");
}

// The file that a save replaces: the target of a symbolic link rather than the link itself, so
// that a layout kept behind a link stays where the link points.
std::string ResolveTarget(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;  // a dangling link is replaced like a missing file
  std::string target(resolved);
  std::free(resolved);
  return target;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes a new file beside path whose name nobody else uses, with the permissions 0666 under the
// umask, as a plain create would give.
int CreateBeside(const std::string& path, std::string& temporary) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = path + ".saving-" + std::to_string(random() % 1000000000);
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (descriptor >= 0 || errno != EEXIST) return descriptor;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Flushes the folder's entries, so that the rename survives a crash. Some file systems cannot
// flush a folder at all; for them the rename is as safe as it can be made.
std::optional<std::string> SyncFolder(const std::string& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return SystemText(errno);
  std::optional<std::string> error;
  if (::fsync(descriptor) != 0 && errno != EINVAL && errno != ENOTSUP) error = SystemText(errno);
  ::close(descriptor);
  return error;
}

}  // namespace

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = ResolveTarget(path);
  std::string temporary;
  const int descriptor = CreateBeside(target, temporary);
  if (descriptor < 0) return SystemText(errno);

  int error = 0;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    // The new file keeps the old one's permissions; failing that, it keeps the usual ones.
    (void)::fchmod(descriptor, old.st_mode & 07777);
  }
  if (!WriteAll(descriptor, bytes) || ::fsync(descriptor) != 0) error = errno;
  if (::close(descriptor) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return SystemText(error);
  }
  return SyncFolder(FolderOf(target));
}
