#include "platform/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <utility>

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

bool ReadAll(int descriptor, std::string& contents) {
  char buffer[1 << 16];
  for (off_t offset = 0;;) {
    const ssize_t got = ::pread(descriptor, buffer, sizeof buffer, offset);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    try {
      contents.append(buffer, static_cast<std::size_t>(got));
    } catch (const std::bad_alloc&) {
      errno = ENOMEM;
      return false;
    }
    offset += got;
  }
}

// A new file made by another user than the old one's owner, or in a folder that hands out
// another group, must be given the old owner and group. Only the superuser may give a file to
// another user, and others only to a group of their own; where that is not enough the old file
// is written in place instead.
bool TakeOwnership(int descriptor, const struct stat& old) {
  struct stat made {};
  if (::fstat(descriptor, &made) != 0) return false;
  if (made.st_uid == old.st_uid && made.st_gid == old.st_gid) return true;
  return ::fchown(descriptor, old.st_uid, old.st_gid) == 0;
}

// Flushes the folder's entries, so that the rename survives a crash. A folder the user may not
// read cannot be opened to be flushed, and some file systems cannot flush a folder at all; the
// rename has made the new contents the file's all the same, as safely as that folder allows.
void SyncFolder(const std::string& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  (void)::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace

FileReplacement::FileReplacement(std::string path) : path_(std::move(path)) {}

FileReplacement::~FileReplacement() {
  if (mode_ == Mode::Idle) return;
  Fail("the replacement was given up");
  Abandon();
}

std::optional<std::string> FileReplacement::Begin() {
  assert(!begun_ && "a replacement is begun once");
  begun_ = true;
  target_ = ResolveTarget(path_);
  struct stat old {};
  const bool replacing = ::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  // A new file renamed over a read-only one would replace it although the user may not write
  // it; the file is refused whichever way it would be written.
  if (replacing && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
    FailWithSystemError(errno);
    return failure_;
  }
  // A new file would leave the other names of a hard-linked file with the old contents.
  if (replacing && old.st_nlink > 1) return BeginInPlace();
  descriptor_ = CreateBeside(target_, temporary_);
  if (descriptor_ < 0) {
    const int error = errno;
    temporary_.clear();
    if (replacing) return BeginInPlace();
    FailWithSystemError(error);
    return failure_;
  }
  mode_ = Mode::Beside;
  if (replacing) {
    if (!TakeOwnership(descriptor_, old)) {
      Abandon();
      return BeginInPlace();
    }
    // Changing the owner clears the set-id bits, so the permissions come after it.
    (void)::fchmod(descriptor_, old.st_mode & 07777);
  }
  return std::nullopt;
}

std::optional<std::string> FileReplacement::BeginInPlace() {
  descriptor_ = ::open(target_.c_str(), O_RDWR | O_CLOEXEC);
  if (descriptor_ < 0) {
    FailWithSystemError(errno);
    return failure_;
  }
  // Without the old contents in hand nothing could be put back, so a file that cannot be read
  // is not written either.
  if (!ReadAll(descriptor_, oldContents_) || ::ftruncate(descriptor_, 0) != 0) {
    FailWithSystemError(errno);
    ::close(descriptor_);
    descriptor_ = -1;
    oldContents_ = std::string();
    return failure_;
  }
  mode_ = Mode::InPlace;
  return std::nullopt;
}

std::optional<std::string> FileReplacement::Write(std::string_view bytes) {
  assert(begun_ && "a replacement is begun before it is written");
  if (!failure_ && !WriteAll(descriptor_, bytes)) FailWithSystemError(errno);
  return failure_;
}

void FileReplacement::Fail(std::string reason) {
  if (!failure_) failure_ = std::move(reason);
}

std::optional<std::string> FileReplacement::Finish() {
  assert(begun_ && "a replacement is begun before it is finished");
  if (!failure_ && ::fsync(descriptor_) != 0) FailWithSystemError(errno);
  if (!failure_) {
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) FailWithSystemError(errno);
  }
  if (!failure_ && mode_ == Mode::Beside) {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
      FailWithSystemError(errno);
    } else {
      mode_ = Mode::Idle;
      SyncFolder(FolderOf(target_));
    }
  }
  if (failure_) {
    Abandon();
  } else {
    mode_ = Mode::Idle;
    oldContents_ = std::string();
  }
  return failure_;
}

void FileReplacement::FailWithSystemError(int error) { Fail(SystemText(error)); }

void FileReplacement::Abandon() {
  if (mode_ == Mode::InPlace) {
    if (const std::optional<std::string> trouble = PutBackOldContents()) {
      failure_ = failure_.value_or("") + "; the old contents could not be put back: " + *trouble;
    }
  }
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
  if (mode_ == Mode::Beside) ::unlink(temporary_.c_str());
  temporary_.clear();
  oldContents_ = std::string();
  mode_ = Mode::Idle;
}

std::optional<std::string> FileReplacement::PutBackOldContents() {
  const int descriptor =
      descriptor_ >= 0 ? descriptor_ : ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
  if (descriptor < 0) return SystemText(errno);
  std::optional<std::string> trouble;
  if (::ftruncate(descriptor, 0) != 0 || ::lseek(descriptor, 0, SEEK_SET) != 0 ||
      !WriteAll(descriptor, oldContents_) || ::fsync(descriptor) != 0) {
    trouble = SystemText(errno);
  }
  if (descriptor != descriptor_) ::close(descriptor);
  return trouble;
}

std::optional<std::string> ReplaceFileContents(const std::string& path, std::string_view bytes) {
  FileReplacement file(path);
  if (std::optional<std::string> failure = file.Begin()) return failure;
  file.Write(bytes);
  return file.Finish();
}
