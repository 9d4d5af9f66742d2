#include "roster/ListFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

// What a path that is not a regular file names, as the refusal says it.
std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISFIFO(mode)) return "it is a FIFO (a named pipe), not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
  if (S_ISSOCK(mode)) return "it is a socket, not a file";
  return "it is not a regular file";
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::string> ReadListFile(const std::string& path, std::size_t maxBytes,
                                        std::string& text) {
  text.clear();
  // Without O_NONBLOCK, opening a FIFO waits until something opens it for writing.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) return std::string(std::strerror(errno));
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return std::string(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return KindOf(info.st_mode);
  const std::string tooLarge = "the file is larger than " + std::to_string(maxBytes >> 20) + " MiB";
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return tooLarge;

  // The size fstat gives may change while the file is read; one byte past the bound tells a
  // file that grew too long.
  text.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == text.size()) {
      if (text.size() > maxBytes) {
        text.clear();
        return tooLarge;
      }
      text.resize(std::min(maxBytes + 1, text.size() * 2));
    }
    const ssize_t got = ::read(file.Get(), text.data() + filled, text.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const std::string reason = std::strerror(errno);
      text.clear();
      return reason;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  text.resize(filled);
  return std::nullopt;
}
