#include "shell/SoftwareChangesDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/ProgramVersion.h"

SoftwareChangesDlg::SoftwareChangesDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Recent Changes"));
  auto* intro =
      new QLabel(tr("The most recent significant changes to the software are listed below"), this);
  auto* changes = new QPlainTextEdit(ChangesText(), this);
  changes->setReadOnly(true);
  changes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  changes->setAccessibleName(tr("Changes"));
  intro->setBuddy(changes);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(changes, 1);
  layout->addWidget(buttons);
  resize(620, 400);
}

QString SoftwareChangesDlg::ChangesText() {
  // %g of the version, as "Software Version %g" gives it: six significant digits at most.
  return QStringLiteral("Software Version %1\r\n").arg(ProgramVersion, 0, 'g', 6) +
         QString::fromUtf8(ChangeList.data(), static_cast<qsizetype>(ChangeList.size()));
}
