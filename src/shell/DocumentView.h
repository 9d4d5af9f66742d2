#pragma once

// What the document tells its views when it changes, as a set of bits.
enum UpdateHint : unsigned {
  HintLayoutEdited = 1,  // the form applied edits to the layout
  HintSaved = 4,         // a save was attempted, or a file could not be opened
  HintReloaded = 8,      // the layout was replaced: New, a read, Undo
};

// A window that shows the document: the preview, the form, the window's commands.
class DocumentView {
 public:
  virtual ~DocumentView() = default;
  // hint is 0 for "everything may have changed", otherwise a set of UpdateHint bits.
  virtual void OnUpdate(unsigned hint) = 0;
};
