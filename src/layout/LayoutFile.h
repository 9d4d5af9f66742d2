#pragma once

#include <istream>
#include <memory>
#include <string>

// A layout file opened for reading as bytes. Only a regular file is opened: a directory, a FIFO
// or a device named as a layout is refused at once rather than blocking or reading forever.
class LayoutFile {
 public:
  explicit LayoutFile(const std::string& path);
  ~LayoutFile();
  LayoutFile(const LayoutFile&) = delete;
  LayoutFile& operator=(const LayoutFile&) = delete;

  bool IsOpen() const;
  // The system's reason why the file could not be opened or read, empty while all is well.
  const std::string& Error() const;
  // The file's bytes; a read failure ends the stream early and sets Error.
  std::istream& Stream() { return stream_; }

 private:
  class Buffer;

  std::unique_ptr<Buffer> buffer_;
  std::istream stream_;
};
