#pragma once

#include <QDialog>

// "Recent Changes": the changes made to the program since the version that last ran.
class SoftwareChangesDlg : public QDialog {
  Q_OBJECT

 public:
  explicit SoftwareChangesDlg(QWidget* parent = nullptr);

  // "Software Version 2.453" and a line end, then the list of changes.
  static QString ChangesText();
};
