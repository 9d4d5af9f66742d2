#pragma once

#include <string>

class CMontageDoc;

// One step that Undo can take back: Apply restores the document to the state the entry
// recorded. The description names what the step changed, for the Undo command's text.
class UndoEntry {
 public:
  explicit UndoEntry(std::string description) : description_(std::move(description)) {}
  virtual ~UndoEntry() = default;
  UndoEntry(const UndoEntry&) = delete;
  UndoEntry& operator=(const UndoEntry&) = delete;

  virtual void Apply(CMontageDoc& document) = 0;
  const std::string& Description() const { return description_; }

 private:
  std::string description_;
};
