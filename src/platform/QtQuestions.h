#pragma once

#include <string>

#include "platform/ModalQuestions.h"

class QWidget;

// The window's modal questions: Qt's message boxes and the desktop's file, colour, font and print
// dialogs, each modal to the parent widget, or to the active window when there is no parent.
class QtQuestions : public ModalQuestions {
 public:
  explicit QtQuestions(QWidget* parent = nullptr) : parent_(parent) {}
  // The window the dialogs belong to; it must outlive the questions asked.
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(const std::string& text) override;
  QuestionAnswer AskYesNoCancel(const std::string& text) override;
  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
  std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;
  std::optional<std::string> AskFolder(const std::string& initialFolder) override;
  std::optional<ColourRef> AskColour(ColourRef initial, CustomColours& custom) override;
  std::optional<FontChoice> AskFont(const FontChoice& initial) override;
  // Offers one page only.
  bool AskPrint(QPrinter& printer) override;

 private:
  std::optional<std::string> AskPath(const FileDialogRequest& request, bool save);
  QWidget* Parent() const;

  QWidget* parent_;
};

// The Qt form of a Windows file filter: "JPEG Image files (*.jpg;*.jpeg)|*.jpg;*.jpeg||" becomes
// "JPEG Image files (*.jpg *.jpeg)", one filter a line pair, separated by ";;".
std::string QtFileFilter(const std::string& windowsFilter);
