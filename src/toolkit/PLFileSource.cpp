#include "toolkit/PLFileSource.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "toolkit/PLTextException.h"

namespace {

// A missing file and a missing folder both give ENOENT; the folder decides which one it was.
int MissingPathCode(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string folder =
      slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return PL_ERRFILE_NOT_FOUND;
  return PL_ERRPATH_NOT_FOUND;
}

int OpenErrorCode(int error, const std::string& path) {
  switch (error) {
    case ENOENT:
      return MissingPathCode(path);
    case ENOTDIR:
      return PL_ERRPATH_NOT_FOUND;
    case EACCES:
    case EPERM:
      return PL_ERRACCESS_DENIED;
    default:
      return PL_ERRFILE_NOT_FOUND;
  }
}

}  // namespace

int PLFileSource::Open(const std::string& path) {
  Close();
  // Without O_NONBLOCK, opening a pipe that nobody writes to would wait for ever; a regular
  // file ignores the flag.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return OpenErrorCode(errno, path);

  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    return PL_ERRFILE_NOT_FOUND;
  }
  // Only regular files can be mapped; an empty one cannot be mapped either.
  if (!S_ISREG(info.st_mode) || info.st_size <= 0 ||
      static_cast<std::uintmax_t>(info.st_size) > SIZE_MAX) {
    ::close(fd);
    return PL_ERRACCESS_DENIED;
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  // The decoder reads the whole file, so its pages are mapped in one call rather than by a fault
  // every few pages as it goes.
  void* view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  // The mapping keeps the file's contents reachable; the descriptor is no longer needed.
  ::close(fd);
  if (view == MAP_FAILED) return PL_ERRACCESS_DENIED;
  ::posix_madvise(view, size, POSIX_MADV_SEQUENTIAL);

  view_ = view;
  viewSize_ = size;
  Begin(path, static_cast<const std::uint8_t*>(view), size);
  return 0;
}

void PLFileSource::Close() {
  if (view_) {
    ::munmap(view_, viewSize_);
    view_ = nullptr;
    viewSize_ = 0;
  }
  PLDataSource::Close();
}
