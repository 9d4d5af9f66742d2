#include "platform/FontColourDialog.h"
#include "platform/QtColour.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

QFont ToQFont(const FontChoice& choice) {
  QFont font(QString::fromStdString(choice.FaceName));
  if (choice.PointTenths > 0) font.setPointSizeF(choice.PointTenths / 10.0);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(choice.Weight, 1, 1000)));
  font.setItalic(choice.Italic);
  return font;
}

// Shows the colour on the button as a small filled square, so the choice is seen at once.
void ShowColourOn(QPushButton& button, const QColor& colour) {
  QPixmap swatch(20, 14);
  swatch.fill(colour);
  button.setIcon(QIcon(swatch));
  button.setAccessibleDescription(colour.name());
}

}  // namespace

std::optional<FontChoice> AskFontWithColour(QWidget* parent, const FontChoice& initial) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QObject::tr("Font"));

  // The desktop's font chooser, embedded as a plain widget without buttons of its own.
  auto* chooser = new QFontDialog(&dialog);
  chooser->setObjectName(QStringLiteral("fontChooser"));
  chooser->setWindowFlags(Qt::Widget);
  chooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  chooser->setCurrentFont(ToQFont(initial));
  chooser->setProperty("initialFamily", chooser->currentFont().family());

  QColor colour = ToQColor(initial.Colour);
  auto* colourLabel = new QLabel(QObject::tr("Colour:"), &dialog);
  auto* colourButton = new QPushButton(QObject::tr("Choose..."), &dialog);
  colourButton->setObjectName(QStringLiteral("fontColour"));
  colourButton->setAccessibleName(QObject::tr("Colour"));
  colourLabel->setBuddy(colourButton);
  ShowColourOn(*colourButton, colour);
  QObject::connect(colourButton, &QPushButton::clicked, &dialog, [&] {
    const QColor chosen = QColorDialog::getColor(colour, &dialog, QObject::tr("Font Colour"));
    if (!chosen.isValid()) return;
    colour = chosen;
    ShowColourOn(*colourButton, colour);
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  auto* colourRow = new QHBoxLayout;
  colourRow->addWidget(colourLabel);
  colourRow->addWidget(colourButton);
  colourRow->addStretch();
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(chooser);
  layout->addLayout(colourRow);
  layout->addWidget(buttons);
  chooser->setVisible(true);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QFont font = chooser->currentFont();
  FontChoice chosen;
  // A face the system lacks ("Arial" on Linux) is shown as the face that stands in for it; unless
  // the user picked another face, the layout keeps the name it had, which the printing product
  // on another system may well have.
  const QString standIn = QFontInfo(ToQFont(initial)).family();
  chosen.FaceName = font.family() == standIn || font.family() == chooser->property("initialFamily")
                        ? initial.FaceName
                        : font.family().toStdString();
  chosen.PointTenths = static_cast<int>(std::lround(font.pointSizeF() * 10.0));
  chosen.Weight = font.weight();
  chosen.Italic = font.italic();
  chosen.Colour = ToColourRef(colour);
  return chosen;
}
