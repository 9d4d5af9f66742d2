#pragma once

#include <optional>
#include <string>
#include <string_view>

// Replaces a file's contents so that, whatever fails, the file holds either what it held or the
// whole new contents. The new contents normally go to a new file beside the old one, are flushed
// to the disk, and the new file is renamed over the old one. Where a new file would lose what
// belongs to the old one, the old file is written in place instead, its contents kept in memory
// to be put back should the write fail: where no new file can be made in the folder, where the
// file has other hard links, and where its owner and group cannot be given to a new file.
//
// A symbolic link is followed and its target replaced; a new file gets the old one's
// permissions, or 0666 under the umask. A file the user may not write is refused. Failures are
// the system's text for the call that failed (strerror).
class FileReplacement {
 public:
  explicit FileReplacement(std::string path);
  // A replacement that was begun and not finished is abandoned, the old file left as it was.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Gets the file ready to take the new contents; nothing when it is, otherwise the failure.
  std::optional<std::string> Begin();
  // Adds bytes to the new contents. Once anything has failed, every later call gives that failure.
  std::optional<std::string> Write(std::string_view bytes);
  // Marks the replacement failed for a reason of the caller's, such as an encoder that gave up;
  // a failure met earlier is kept, being nearer the cause.
  void Fail(std::string reason);
  // Ends the replacement: the new contents become the file's, or after a failure the old file is
  // left as it was and the failure returned.
  std::optional<std::string> Finish();

 private:
  enum class Mode { Idle, Beside, InPlace };

  std::optional<std::string> BeginInPlace();
  void FailWithSystemError(int error);
  void Abandon();
  std::optional<std::string> PutBackOldContents();

  std::string path_;
  std::string target_;
  std::string temporary_;  // empty while the old file is written in place
  std::string oldContents_;
  int descriptor_ = -1;
  Mode mode_ = Mode::Idle;
  bool begun_ = false;
  std::optional<std::string> failure_;
};

// Replaces the file's contents with bytes in one go, as above; nothing on success.
std::optional<std::string> ReplaceFileContents(const std::string& path, std::string_view bytes);
