#pragma once

#include <cstddef>
#include <deque>
#include <memory>

#include "shell/UndoEntry.h"

class CMontageDoc;

// The steps that Undo and Redo can take, newest first, at most Limit() of each.
class UndoHistory {
 public:
  // Keeps at most limit entries in each list, dropping the oldest.
  void SetLimit(std::size_t limit);
  std::size_t Limit() const { return limit_; }

  // A new step: it goes to the front of the undo list, and what could be redone is forgotten.
  void Record(std::unique_ptr<UndoEntry> entry);
  // Applies the newest undo entry, which then becomes the newest redo entry; false when there
  // is nothing to undo. Redo is the same the other way round.
  bool Undo(CMontageDoc& document);
  bool Redo(CMontageDoc& document);
  void Clear();

  // The newest entries, or null.
  const UndoEntry* NextUndo() const { return undo_.empty() ? nullptr : undo_.front().get(); }
  const UndoEntry* NextRedo() const { return redo_.empty() ? nullptr : redo_.front().get(); }
  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }

 private:
  using Entries = std::deque<std::unique_ptr<UndoEntry>>;
  static bool Move(Entries& from, Entries& to, CMontageDoc& document, std::size_t limit);

  Entries undo_;
  Entries redo_;
  std::size_t limit_ = 10;
};
