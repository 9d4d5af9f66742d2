#include "shell/CAboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About Montage"));
  auto* icon = new QLabel(this);
  const QIcon windowIcon = QApplication::windowIcon();
  icon->setPixmap(windowIcon.isNull() ? style()->standardIcon(QStyle::SP_DesktopIcon).pixmap(48, 48)
                                      : windowIcon.pixmap(48, 48));
  auto* name = new QLabel(tr("Montage Version 1.0"), this);
  auto* purpose = new QLabel(tr("A layout designer for photo composites"), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(name, 0, 1);
  layout->addWidget(purpose, 1, 1);
  layout->addWidget(buttons, 2, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
