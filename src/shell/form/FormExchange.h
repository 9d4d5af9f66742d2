#pragma once

class FormControls;
struct FormDraft;

// Which controls a write shows: those of the layout, those of the preview settings, or all.
enum class FormPart { Layout, Preview, Whole };

// Moves values between the layout form's controls and its draft, in both directions, field by
// field as the form's table gives them.
class FormExchange {
 public:
  explicit FormExchange(const FormControls& controls) : controls_(controls) {}

  // Shows the draft's values in the controls of the part. A radio group or list whose value has
  // no button or item shows no choice.
  void Write(const FormDraft& draft, FormPart part = FormPart::Whole) const;

  // Reads the controls into the draft: every field that holds no number, then the numbers in the
  // table's order, each checked against its range as it is read. The first number that fails is
  // reported through ModalQuestions, takes the focus with its text selected, and the read stops
  // there with false; the fields read before it keep their new values. A radio group or list
  // showing no choice leaves its member as it was.
  bool Read(FormDraft& draft) const;

 private:
  const FormControls& controls_;
};
