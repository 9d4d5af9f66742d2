#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>

#include "records/ModifiedMask.h"

// What every record of the shared record store has: an identity in the store, the marks of the
// fields changed since they were last written or read, a description for messages, the tagged
// field stream, copying between records of one class, and the hooks of the store's dispatcher.
class DatabaseRecord {
 public:
  // The failure of reading a tagged field stream.
  class DispatchReadError : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
  };

  // The store dispatcher's handler; each record class that it handles declares its own kind of
  // handler deriving from this one.
  class Handler {
   public:
    virtual ~Handler() = default;
  };

  DatabaseRecord() : owner_(this) {}
  // A copy has the identity and marks of the original but owns itself.
  DatabaseRecord(const DatabaseRecord& other);
  DatabaseRecord& operator=(const DatabaseRecord& other);
  virtual ~DatabaseRecord() = default;

  virtual std::string Description() const = 0;
  virtual void MarkAllModified() = 0;
  // Writes the fields in ascending tag order (only the marked ones when onlyModified), clearing
  // the mark of each field written, then the end tag when writeEndTag.
  virtual void WriteFields(bool onlyModified, std::ostream& stream, bool writeEndTag) = 0;
  // Reads one kind byte and what it announces; returns the kind, which the caller handles when
  // the record does not.
  virtual int ReadFields(std::istream& stream) = 0;
  // Copies the record's own fields into target when it is of the same class and returns it;
  // returns nullptr for a record of another class.
  virtual DatabaseRecord* Clone(DatabaseRecord& target) const = 0;
  // A new record of the same class with the defaults, then this record's own fields.
  virtual std::unique_ptr<DatabaseRecord> Clone() const = 0;
  // Lets a handler act on this record; true when one did.
  virtual bool Dispatch(Handler& handler);

  // Hooks of the store's dispatcher, in the store's order (slots 7 to 18). Their meaning belongs
  // to the store, which is not part of this program; here they do nothing. The font dialog calls
  // Hook7 and Hook8 around an edit and Hook12(2) after a change.
  virtual void Hook7() {}
  virtual void Hook8() {}
  virtual void Hook9() {}
  virtual void Hook10() {}
  virtual void Hook11() {}
  virtual int Hook12(int) { return 0; }
  virtual void Hook13() {}
  virtual void Hook14() {}
  virtual void Hook15() {}
  virtual void Hook16() {}
  virtual void Hook17() {}
  virtual int Hook18() { return 0; }

  // The record that owns this one in the store: the record itself.
  const DatabaseRecord* Owner() const { return owner_; }

  std::int32_t RecordId = 0;
  ::ModifiedMask ModifiedMask;

 private:
  DatabaseRecord* owner_;
};
