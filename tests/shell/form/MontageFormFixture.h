#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "shell/CMontageDoc.h"
#include "shell/Commands.h"
#include "shell/form/MontageForm.h"
#include "support/HintRecorder.h"
#include "support/LayoutText.h"
#include "support/ScratchFolder.h"

class FormControls;
class QLineEdit;

// A layout form on a document with the window's commands, a profile in a scratch folder,
// scripted questions, and preview settings at their built-in defaults, as the form is after the
// window's first update.
class MontageFormTest : public testing::Test {
 protected:
  MontageFormTest();
  ~MontageFormTest() override;

  const FormControls& C() const;
  QLineEdit* Edit(int id) const;
  // Replaces what a field shows, as typing does.
  void Type(int id, const QString& text) const;
  QString Text(int id) const;
  // A click on the button, check box or radio button, as the mouse gives it.
  void Click(int id) const;
  bool Checked(int id) const;
  bool Enabled(int id) const;
  // Sends a real key press (and its release) to the widget, as the keyboard would.
  static void PressKey(QWidget* widget, int key);
  // The user's choice of an item of the list.
  void Choose(int id, int index) const;

  std::string PathOf(const std::string& name) const;
  // Writes the layout file and returns its path.
  std::string WriteLayout(const std::string& name, const Montage& layout) const;
  // Makes a form anew on the same document and profile, as the next start of the program does.
  void RemakeForm();
  // Makes the document, its commands and the form anew on the same profile.
  void RemakeDocument();

  ScratchFolder folder{"montage-form"};
  std::unique_ptr<Profile> profile;
  ScopedScriptedQuestions questions;
  HintRecorder hints;
  QWidget window;  // the commands' actions belong to it
  std::unique_ptr<CMontageDoc> document;
  std::unique_ptr<Commands> commands;
  std::unique_ptr<MontageForm> form;
};
