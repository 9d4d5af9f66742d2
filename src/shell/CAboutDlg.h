#pragma once

#include <QDialog>

// "About Montage": the program's icon, name and version.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};
