#include "records/ArchiveException.h"

namespace {

const char* Describe(ArchiveException::Kind kind) {
  switch (kind) {
    case ArchiveException::Kind::ReadOnly:
      return "Tried to write to an archive opened for loading";
    case ArchiveException::Kind::WriteOnly:
      return "Tried to read from an archive opened for storing";
    case ArchiveException::Kind::EndOfFile:
      return "Reached the end of the archive while reading";
  }
  return "Archive error";
}

}  // namespace

ArchiveException::ArchiveException(Kind kind) : std::runtime_error(Describe(kind)), kind_(kind) {}
