#include "layout/LayoutFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <streambuf>

#include "layout/Montage.h"

// Reads a file descriptor through a fixed buffer, so that reading a layout holds no more than
// one buffer of the file at a time.
class LayoutFile::Buffer : public std::streambuf {
 public:
  explicit Buffer(const std::string& path) {
    // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; the file type is checked on
    // the opened descriptor, so it cannot change between the check and the reads.
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor_ < 0) {
      error_ = std::strerror(errno);
      return;
    }
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
      error_ = std::strerror(errno);
    } else if (S_ISDIR(status.st_mode)) {
      error_ = std::strerror(EISDIR);
    } else if (!S_ISREG(status.st_mode)) {
      error_ = "Not a regular file";
    }
    if (!error_.empty()) {
      ::close(descriptor_);
      descriptor_ = -1;
    }
  }
  ~Buffer() override {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  bool IsOpen() const { return descriptor_ >= 0; }
  const std::string& Error() const { return error_; }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (descriptor_ < 0) return traits_type::eof();
    ssize_t count;
    do {
      count = ::read(descriptor_, bytes_.data(), bytes_.size());
    } while (count < 0 && errno == EINTR);
    if (count <= 0) {
      if (count < 0) error_ = std::strerror(errno);
      return traits_type::eof();
    }
    setg(bytes_.data(), bytes_.data(), bytes_.data() + count);
    return traits_type::to_int_type(*gptr());
  }

 private:
  int descriptor_ = -1;
  std::string error_;
  std::array<char, 64 * 1024> bytes_{};
};

LayoutFile::LayoutFile(const std::string& path)
    : buffer_(std::make_unique<Buffer>(path)), stream_(buffer_.get()) {
  if (!buffer_->IsOpen()) stream_.setstate(std::ios::failbit);
}

LayoutFile::~LayoutFile() = default;

bool LayoutFile::IsOpen() const { return buffer_->IsOpen(); }

const std::string& LayoutFile::Error() const { return buffer_->Error(); }

LayoutReadResult ReadLayoutFromFile(const std::string& path, Montage& layout) {
  using Outcome = LayoutReadResult::Outcome;
  LayoutFile file(path);
  if (!file.IsOpen()) return {Outcome::CannotOpen, file.Error()};
  Montage candidate = layout;
  LayoutReadResult result = candidate.ReadText(file.Stream());
  // A read that broke off is told as such even where what came before it was refused.
  if (!file.Error().empty()) return {Outcome::CannotRead, file.Error()};
  if (result) layout = std::move(candidate);
  return result;
}
