#include "shell/UndoHistory.h"

void UndoHistory::SetLimit(std::size_t limit) {
  limit_ = limit;
  while (undo_.size() > limit_) undo_.pop_back();
  while (redo_.size() > limit_) redo_.pop_back();
}

void UndoHistory::Record(std::unique_ptr<UndoEntry> entry) {
  if (limit_ == 0) return;
  undo_.push_front(std::move(entry));
  if (undo_.size() > limit_) undo_.pop_back();
  redo_.clear();
}

bool UndoHistory::Move(Entries& from, Entries& to, CMontageDoc& document, std::size_t limit) {
  if (from.empty()) return false;
  std::unique_ptr<UndoEntry> entry = std::move(from.front());
  from.pop_front();
  entry->Apply(document);
  to.push_front(std::move(entry));
  if (to.size() > limit) to.pop_back();
  return true;
}

bool UndoHistory::Undo(CMontageDoc& document) { return Move(undo_, redo_, document, limit_); }

bool UndoHistory::Redo(CMontageDoc& document) { return Move(redo_, undo_, document, limit_); }

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
}
