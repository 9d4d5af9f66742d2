#include "platform/QtQuestions.h"
#include "platform/QtColour.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include "platform/FontColourDialog.h"

namespace {

QString Title() { return QCoreApplication::applicationName(); }

}  // namespace

std::string QtFileFilter(const std::string& windowsFilter) {
  const QStringList parts = QString::fromStdString(windowsFilter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString patterns = parts[i + 1].trimmed();
    if (description.isEmpty() && patterns.isEmpty()) break;  // the closing "||"
    // Qt reads the patterns from the parentheses of the description, separated by spaces.
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0) description = description.left(open).trimmed();
    QString spaced = patterns;
    spaced.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << description + QStringLiteral(" (") + spaced + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;")).toStdString();
}

QWidget* QtQuestions::Parent() const {
  return parent_ != nullptr ? parent_ : QApplication::activeWindow();
}

void QtQuestions::ShowMessage(const std::string& text) {
  QMessageBox::warning(Parent(), Title(), QString::fromStdString(text));
}

QuestionAnswer QtQuestions::AskYesNoCancel(const std::string& text) {
  const auto answer = QMessageBox::question(
      Parent(), Title(), QString::fromStdString(text),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Yes) return QuestionAnswer::Yes;
  if (answer == QMessageBox::No) return QuestionAnswer::No;
  return QuestionAnswer::Cancel;
}

std::optional<std::string> QtQuestions::AskOpenPath(const FileDialogRequest& request) {
  return AskPath(request, false);
}

std::optional<std::string> QtQuestions::AskSavePath(const FileDialogRequest& request) {
  return AskPath(request, true);
}

std::optional<std::string> QtQuestions::AskPath(const FileDialogRequest& request, bool save) {
  const QString initial = QFile::decodeName(request.InitialPath.c_str());
  QFileDialog dialog(Parent(), QString(), QString(),
                     QString::fromStdString(QtFileFilter(request.Filter)));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.DefaultExtension));
  if (!initial.isEmpty()) {
    const QFileInfo info(initial);
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return QFile::encodeName(chosen.front()).toStdString();
}

std::optional<std::string> QtQuestions::AskFolder(const std::string& initialFolder) {
  const QString chosen = QFileDialog::getExistingDirectory(
      Parent(), QString(), QFile::decodeName(initialFolder.c_str()));
  if (chosen.isEmpty()) return std::nullopt;
  return QFile::encodeName(chosen).toStdString();
}

std::optional<ColourRef> QtQuestions::AskColour(ColourRef initial, CustomColours& custom) {
  for (int i = 0; i < static_cast<int>(custom.size()); ++i) {
    QColorDialog::setCustomColor(i, ToQColor(custom[static_cast<std::size_t>(i)]));
  }
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), Parent(), Title());
  // The dialog may have changed the custom colours whether or not a colour was chosen.
  for (int i = 0; i < static_cast<int>(custom.size()); ++i) {
    custom[static_cast<std::size_t>(i)] = ToColourRef(QColorDialog::customColor(i));
  }
  if (!chosen.isValid()) return std::nullopt;
  return ToColourRef(chosen);
}

std::optional<FontChoice> QtQuestions::AskFont(const FontChoice& initial) {
  return AskFontWithColour(Parent(), initial);
}

bool QtQuestions::AskPrint(QPrinter& printer) {
  QPrintDialog dialog(&printer, Parent());
  dialog.setMinMax(1, 1);
  return dialog.exec() == QDialog::Accepted;
}
