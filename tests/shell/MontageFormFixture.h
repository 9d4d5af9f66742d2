#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "shell/CMontageDoc.h"
#include "shell/DocumentView.h"
#include "shell/MontageForm.h"

class Montage;
class QLineEdit;
class QWidget;
struct FormControls;

// Counts the document's update hints, as the preview would see them.
struct HintCounter : DocumentView {
  void OnUpdate(unsigned hint) override { hints.push_back(hint); }
  int Count(unsigned hint) const;
  std::vector<unsigned> hints;
};

// A layout form on a document with a profile in a temporary folder, scripted questions, and
// preview settings at their built-in defaults, as the form is after the window's first update.
class MontageFormTest : public testing::Test {
 protected:
  MontageFormTest();
  ~MontageFormTest() override;

  const FormControls& C() const;
  QLineEdit* Edit(int id) const;
  // Replaces what a field shows, as typing does.
  void Type(int id, const QString& text) const;
  QString Text(int id) const;
  // Sends a real key press (and its release) to the widget, as the keyboard would.
  static void PressKey(QWidget* widget, int key);
  // The user's choice of a list item.
  static void Choose(class QComboBox* combo, int index);

  std::string PathOf(const std::string& name) const;
  // Writes the layout file and returns its path.
  std::string WriteLayout(const std::string& name, const Montage& layout) const;
  // Makes a form anew on the same document and profile, as the next start of the program does.
  void RemakeForm();

  QTemporaryDir folder;
  std::unique_ptr<Profile> profile;
  std::unique_ptr<CMontageDoc> document;
  ScopedScriptedQuestions questions;
  HintCounter hints;
  std::unique_ptr<MontageForm> form;
};

// The text of a layout file, for comparing whole layouts.
std::string TextOf(const Montage& layout);
