#pragma once

#include <istream>
#include <memory>
#include <string>

#include "layout/LayoutReadResult.h"

class Montage;

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

// Reads the layout file at path over the layout. The file is read over a copy, so that a file
// that cannot be opened, breaks off part-way through or is refused leaves the layout exactly
// as it was; values that an older file does not hold keep the ones the layout had.
LayoutReadResult ReadLayoutFromFile(const std::string& path, Montage& layout);
