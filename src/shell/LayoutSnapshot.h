#pragma once

#include "layout/Montage.h"
#include "shell/UndoEntry.h"

// The whole layout as it was before a step. Applying it exchanges it with the document's
// layout, so the same entry, moved to the other list, takes the step again.
class LayoutSnapshot : public UndoEntry {
 public:
  LayoutSnapshot(const Montage& layout, std::string description)
      : UndoEntry(std::move(description)), layout_(layout) {}

  void Apply(CMontageDoc& document) override;

 private:
  Montage layout_;
};
