#include "records/DatabaseRecord.h"

DatabaseRecord::DatabaseRecord(const DatabaseRecord& other)
    : RecordId(other.RecordId), ModifiedMask(other.ModifiedMask), owner_(this) {}

DatabaseRecord& DatabaseRecord::operator=(const DatabaseRecord& other) {
  RecordId = other.RecordId;
  ModifiedMask = other.ModifiedMask;
  return *this;
}

bool DatabaseRecord::Dispatch(Handler&) { return false; }
