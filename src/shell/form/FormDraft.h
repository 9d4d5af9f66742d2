#pragma once

#include <type_traits>
#include <variant>

#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/form/FormFields.h"

// The form's pending edits: the layout and the preview settings as the controls show them. Typing,
// ticking and the colour and font dialogs change only the controls and this draft; the document's
// layout and the process-wide settings take them when the form is applied.
struct FormDraft {
  Montage Layout;
  PreviewSettings Settings;
  ShownPaper Paper;
};

// The part of the draft that holds members of the record type.
template <typename Record, typename Draft>
auto& RecordIn(Draft& draft) {
  if constexpr (std::is_same_v<Record, Montage>) {
    return draft.Layout;
  } else if constexpr (std::is_same_v<Record, PreviewSettings>) {
    return draft.Settings;
  } else {
    return draft.Paper;
  }
}

// Calls visit with the record that holds the target's member and the member itself; does nothing
// for a row without a member.
template <typename Visit>
void VisitTarget(const FieldTarget& target, Visit visit) {
  std::visit(
      [&visit](const auto& member) {
        if constexpr (!std::is_same_v<std::decay_t<decltype(member)>, std::monostate>) {
          visit(member);
        }
      },
      target);
}

// Calls visit with the value of the target's member in the draft; does nothing for a row without
// a member.
template <typename Draft, typename Visit>
void VisitValue(Draft& draft, const FieldTarget& target, Visit visit) {
  VisitTarget(target, [&](const auto& member) {
    using Member = std::decay_t<decltype(member)>;
    visit(member.In(RecordIn<typename Member::Record>(draft)));
  });
}

// The value of the target's member in the draft; Value must be the member's type.
template <typename Value, typename Draft>
auto& ValueIn(Draft& draft, const FieldTarget& target) {
  using Found = std::conditional_t<std::is_const_v<Draft>, const Value, Value>;
  Found* found = nullptr;
  VisitValue(draft, target, [&found](auto& value) {
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, Value>) found = &value;
  });
  return *found;
}
