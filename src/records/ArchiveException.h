#pragma once

#include <stdexcept>

// The failure of an Archive, in the kinds the record store's archive distinguishes.
class ArchiveException : public std::runtime_error {
 public:
  enum class Kind {
    ReadOnly,   // a write was tried on an archive opened for loading
    WriteOnly,  // a read was tried on an archive opened for storing
    EndOfFile,  // a read needed more bytes than the archive holds
  };

  explicit ArchiveException(Kind kind);

  Kind GetKind() const { return kind_; }

 private:
  Kind kind_;
};
