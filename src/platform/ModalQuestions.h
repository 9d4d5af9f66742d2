#pragma once

#include <array>
#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/ColourRef.h"

class QPrinter;

// The answers of the save-changes question and its like.
enum class QuestionAnswer { Yes, No, Cancel };

// An open or save file dialog. Filter is written the Windows way, pairs of a description and
// its patterns ended by "||": "Zoved Layout File (*.txt)|*.txt||". A name typed without an
// extension gets DefaultExtension; InitialPath is the file the dialog starts from.
struct FileDialogRequest {
  std::string Filter;
  std::string DefaultExtension;
  std::string InitialPath;
};

// A font as the font dialog shows and returns it: face, size in tenths of a point, weight (400
// normal, 700 bold), italic and colour.
struct FontChoice {
  std::string FaceName = "Arial";
  int PointTenths = 100;
  int Weight = 400;
  bool Italic = false;
  ColourRef Colour = 0;

  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// The 16 custom colours of the colour dialog, which the dialog may change.
using CustomColours = std::array<ColourRef, 16>;

// Every modal question the program asks goes through the one installed ModalQuestions, so the
// window can show boxes and dialogs, the command line can print to standard error and tests can
// script the answers. The installed object is process-wide and used on the user-interface
// thread only. Dialog answers are empty when the user cancels.
class ModalQuestions {
 public:
  virtual ~ModalQuestions() = default;

  // A message box with an OK button only.
  virtual void ShowMessage(const std::string& text) = 0;
  // A question with Yes, No and Cancel buttons.
  virtual QuestionAnswer AskYesNoCancel(const std::string& text) = 0;
  // The full path of an existing file to open, or of a file to save to.
  virtual std::optional<std::string> AskOpenPath(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> AskSavePath(const FileDialogRequest& request) = 0;
  // The full path of an existing folder, starting from initialFolder (none: the current one).
  virtual std::optional<std::string> AskFolder(const std::string& initialFolder) = 0;
  // The colour dialog fully opened, starting from initial.
  virtual std::optional<ColourRef> AskColour(ColourRef initial, CustomColours& custom) = 0;
  // The font dialog with a colour, starting from initial.
  virtual std::optional<FontChoice> AskFont(const FontChoice& initial) = 0;
  // The print dialog for the printer as prepared by the caller; true when the user chose to
  // print, with the printer set up as chosen.
  virtual bool AskPrint(QPrinter& printer) = 0;

  // The questions asked through the installed object; the command line's stands in when none
  // was installed.
  static ModalQuestions& Current();
  // Installs an object owned by the caller; nullptr goes back to the command line's.
  static void Install(ModalQuestions* questions);
};

// Writes every message as a line on a stream (standard error by default): the command line's
// way of showing a box. Nobody is there to answer, so every question is cancelled.
class StreamQuestions : public ModalQuestions {
 public:
  StreamQuestions();
  explicit StreamQuestions(std::ostream& stream) : stream_(&stream) {}
  void ShowMessage(const std::string& text) override;
  QuestionAnswer AskYesNoCancel(const std::string& text) override;
  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
  std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;
  std::optional<std::string> AskFolder(const std::string& initialFolder) override;
  std::optional<ColourRef> AskColour(ColourRef initial, CustomColours& custom) override;
  std::optional<FontChoice> AskFont(const FontChoice& initial) override;
  bool AskPrint(QPrinter& printer) override;

 private:
  std::ostream* stream_;
};

// One question as a scripted user saw it.
struct AskedQuestion {
  enum class Kind { Message, YesNoCancel, OpenPath, SavePath, Folder, Colour, Font, Print };
  Kind What = Kind::Message;
  std::string Text;        // message and yes/no/cancel texts
  FileDialogRequest File;  // open and save dialogs; a folder dialog's start in InitialPath
  ColourRef Colour = 0;    // the colour dialog's starting colour
  FontChoice Font;         // the font dialog's starting font
};

// Records every question and answers from a script: the tests' way of being the user. Scripted
// answers are used in the order given, one kind at a time; a question with no answer left is
// answered with Cancel (no path, no colour, no font, no printing) and counted as unanswered.
class ScriptedQuestions : public ModalQuestions {
 public:
  void ShowMessage(const std::string& text) override;
  QuestionAnswer AskYesNoCancel(const std::string& text) override;
  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
  std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;
  std::optional<std::string> AskFolder(const std::string& initialFolder) override;
  std::optional<ColourRef> AskColour(ColourRef initial, CustomColours& custom) override;
  std::optional<FontChoice> AskFont(const FontChoice& initial) override;
  bool AskPrint(QPrinter& printer) override;

  void AnswerYesNoCancel(QuestionAnswer answer) { answers_.push_back(answer); }
  // Answers the next open, save or folder dialog; nothing stands for Cancel.
  void AnswerPath(std::optional<std::string> path) { paths_.push_back(std::move(path)); }
  // Answers the next colour dialog; a colour function may also change the custom colours.
  void AnswerColour(std::optional<ColourRef> colour);
  void AnswerColour(std::function<std::optional<ColourRef>(CustomColours&)> answer);
  void AnswerFont(std::optional<FontChoice> font) { fonts_.push_back(std::move(font)); }
  // Answers the next print dialog: the function may set the printer up (to print into a PDF
  // file, say) and returns whether to print.
  void AnswerPrint(std::function<bool(QPrinter&)> answer) { prints_.push_back(std::move(answer)); }

  // Texts of the messages shown, in order.
  const std::vector<std::string>& Messages() const { return messages_; }
  // Every question, messages included, in order.
  const std::vector<AskedQuestion>& Asked() const { return asked_; }
  int Unanswered() const { return unanswered_; }
  void Forget();

 private:
  template <typename Answer>
  Answer Next(std::deque<Answer>& answers, Answer cancelled);

  std::vector<std::string> messages_;
  std::vector<AskedQuestion> asked_;
  std::deque<QuestionAnswer> answers_;
  std::deque<std::optional<std::string>> paths_;
  std::deque<std::function<std::optional<ColourRef>(CustomColours&)>> colours_;
  std::deque<std::optional<FontChoice>> fonts_;
  std::deque<std::function<bool(QPrinter&)>> prints_;
  int unanswered_ = 0;
};

// Installs a ScriptedQuestions for the lifetime of a scope and restores the previous object.
class ScopedScriptedQuestions : public ScriptedQuestions {
 public:
  ScopedScriptedQuestions();
  ~ScopedScriptedQuestions() override;
  ScopedScriptedQuestions(const ScopedScriptedQuestions&) = delete;
  ScopedScriptedQuestions& operator=(const ScopedScriptedQuestions&) = delete;

 private:
  ModalQuestions* previous_;
};
