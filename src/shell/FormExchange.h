#pragma once

struct FormControls;
struct FormValues;

// Moves values between the layout form's controls and a FormValues, in both directions.
class FormExchange {
 public:
  explicit FormExchange(const FormControls& controls) : controls_(controls) {}

  // Shows the values in the controls. A radio group whose value has no button shows no choice.
  void Write(const FormValues& values) const;

  // Reads the controls into the values: every control that holds no number, then the numeric
  // fields in their read order, each checked against its range as it is read. The first field
  // that fails is reported through ModalQuestions, takes the focus with its text selected, and
  // the read stops there with false; the members read before it keep their new values. A radio
  // group or list showing no choice leaves its member as it was.
  bool Read(FormValues& values) const;

 private:
  const FormControls& controls_;
};
