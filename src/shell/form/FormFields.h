#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "layout/FontDetails.h"

class Montage;
class PreviewSettings;

// The paper as the form shows it: the row of the Paper list and the page's height and width
// turned as the layout's "Orient paper portrait" box says, which the preview settings, keeping
// the landscape sense, do not hold.
struct ShownPaper {
  std::int32_t Row = 0;
  std::uint32_t Height = 0;
  std::uint32_t Width = 0;
  bool operator==(const ShownPaper&) const = default;
};

// Where a field's value lives: a member of a record, or one element of an array member of it.
template <typename RecordType, typename ValueType>
struct FieldMember {
  using Record = RecordType;
  using Value = ValueType;

  constexpr FieldMember(Value Record::*member) : Member(member) {}
  constexpr FieldMember(std::array<Value, 4> Record::*array, int index)
      : Array(array), Index(index) {}

  Value& In(Record& record) const { return Member ? record.*Member : (record.*Array)[Index]; }
  const Value& In(const Record& record) const {
    return Member ? record.*Member : (record.*Array)[Index];
  }
  constexpr bool operator==(const FieldMember& other) const {
    return Member == other.Member && Array == other.Array && Index == other.Index;
  }

  Value Record::*Member = nullptr;
  std::array<Value, 4> Record::*Array = nullptr;
  int Index = 0;
};

// The member a row of the form shows: one of the layout's, one of the preview settings', or the
// shown paper's; none for a button that only starts something.
using FieldTarget =
    std::variant<std::monostate, FieldMember<Montage, std::uint32_t>,
                 FieldMember<Montage, std::int32_t>, FieldMember<Montage, bool>,
                 FieldMember<Montage, std::string>, FieldMember<Montage, FontDetails>,
                 FieldMember<PreviewSettings, std::uint32_t>, FieldMember<PreviewSettings, bool>,
                 FieldMember<PreviewSettings, std::string>, FieldMember<ShownPaper, std::int32_t>,
                 FieldMember<ShownPaper, std::uint32_t>>;

// The kinds of control on the form. A field holds a value of its member; an editor is a button
// that changes the field of the same member through a dialog; a command only starts something.
enum class FieldKind {
  Number,        // field: a whole number in a line edit, checked against the row's range
  Text,          // field: text in a line edit
  Check,         // field: a flag in a check box
  Radio,         // field: one button of a group; the member holds the value of the chosen one
  Colour,        // field: a colour text shown in a swatch
  List,          // field: the row of a list, or the text of a list's item when the member is
                 // text; a list without a member is the form's own
  Font,          // field: a font, edited in the font dialog from a button with the row's label
  ColourButton,  // editor of a Colour field: asks the colour dialog
  Browse,        // editor of a Text field: asks the open dialog for a file
  Command,       // a button that starts something
};

// One control of the layout form. Its label is the caption of a button or box, or the text of
// the label beside a field, and it is always the control's accessible name.
struct FormField {
  int Id;
  FieldKind Kind;
  const char* Label;
  const char* Tooltip;  // nullptr for a control without a tooltip
  FieldTarget Target;
  std::uint32_t Low = 0;  // a Number's range, both ends included
  std::uint32_t High = 0;
  std::int32_t Value = 0;      // the value a Radio button stands for
  const char* Undo = nullptr;  // the undo description, when it is not the label

  // The name of the field in the Undo command: "Undo Outer Margin".
  const char* UndoDescription() const { return Undo != nullptr ? Undo : Label; }
  // Whether the control holds a value of its own that the form exchanges and applies.
  constexpr bool IsField() const {
    return Kind != FieldKind::ColourButton && Kind != FieldKind::Browse &&
           Kind != FieldKind::Command && !std::holds_alternative<std::monostate>(Target);
  }
  // Whether the field's member belongs to the layout rather than to the preview.
  bool IsLayoutField() const;
};

// Every control of the form that the user works with, one row each. The numeric fields come
// first, in the order the form reads and checks them: when several are invalid, the first of them
// is the one reported. The rest follow the form from top to bottom.
std::span<const FormField> FormFields();

// The row of a control, or nullptr for an id without one.
const FormField* FormFieldFor(int id);

// The field an editor row works on: the field of the same member.
const FormField& EditedField(const FormField& editor);
