#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Every modal question the program asks goes through the one installed ModalQuestions, so the
// window can show boxes, the command line can print to standard error and tests can script the
// answers. The installed object is process-wide and used on the user-interface thread only.
class ModalQuestions {
 public:
  virtual ~ModalQuestions() = default;

  // A message box with an OK button only.
  virtual void ShowMessage(const std::string& text) = 0;

  // The questions asked through the installed object; the command line's stands in when none
  // was installed.
  static ModalQuestions& Current();
  // Installs an object owned by the caller; nullptr goes back to the command line's.
  static void Install(ModalQuestions* questions);
};

// Writes every message as a line on a stream (standard error by default): the command line's
// way of showing a box.
class StreamQuestions : public ModalQuestions {
 public:
  StreamQuestions();
  explicit StreamQuestions(std::ostream& stream) : stream_(&stream) {}
  void ShowMessage(const std::string& text) override;

 private:
  std::ostream* stream_;
};

// Records every message and answers from a script: the tests' way of being the user.
class ScriptedQuestions : public ModalQuestions {
 public:
  void ShowMessage(const std::string& text) override;

  const std::vector<std::string>& Messages() const { return messages_; }
  void Forget() { messages_.clear(); }

 private:
  std::vector<std::string> messages_;
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
