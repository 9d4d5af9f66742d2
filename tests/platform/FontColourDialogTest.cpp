#include "platform/FontColourDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {

// Runs step on the modal dialog once it is showing; the dialog's own event loop runs it.
void WhenModal(std::function<void(QWidget&)> step) {
  QTimer::singleShot(0, [step] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    step(*dialog);
  });
}

void Press(QWidget& dialog, QDialogButtonBox::StandardButton which) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  buttons->button(which)->click();
}

TEST(FontColourDialog, StartsFromTheGivenFontAndReturnsTheChoice) {
  const FontChoice initial{"Liberation Sans", 480, 400, false, MakeColourRef(10, 20, 30)};
  QFont seen;
  WhenModal([&](QWidget& dialog) {
    auto* chooser = dialog.findChild<QFontDialog*>(QStringLiteral("fontChooser"));
    ASSERT_NE(chooser, nullptr);
    seen = chooser->currentFont();
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(14);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    chooser->setCurrentFont(font);
    Press(dialog, QDialogButtonBox::Ok);
  });
  const std::optional<FontChoice> chosen = AskFontWithColour(nullptr, initial);
  EXPECT_EQ(seen.family(), "Liberation Sans");
  EXPECT_EQ(seen.pointSize(), 48);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->FaceName, "Liberation Serif");
  EXPECT_EQ(chosen->PointTenths, 140);
  EXPECT_EQ(chosen->Weight, 700);
  EXPECT_TRUE(chosen->Italic);
  EXPECT_EQ(chosen->Colour, initial.Colour);
}

TEST(FontColourDialog, TheColourButtonChangesTheColour) {
  WhenModal([](QWidget& dialog) {
    auto* colour = dialog.findChild<QPushButton*>(QStringLiteral("fontColour"));
    ASSERT_NE(colour, nullptr);
    WhenModal([&dialog](QWidget& colourDialog) {
      auto* picker = qobject_cast<QColorDialog*>(&colourDialog);
      ASSERT_NE(picker, nullptr);
      picker->setCurrentColor(QColor(0, 0, 255));
      picker->accept();
      QTimer::singleShot(0, [&dialog] { Press(dialog, QDialogButtonBox::Ok); });
    });
    colour->click();
  });
  const std::optional<FontChoice> chosen = AskFontWithColour(nullptr, FontChoice{});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->Colour, MakeColourRef(0, 0, 255));
}

TEST(FontColourDialog, AFaceTheSystemLacksKeepsItsNameUnlessAnotherFaceIsPicked) {
  const FontChoice initial{"Arial", 100, 400, false, 0};
  WhenModal([](QWidget& dialog) {
    auto* chooser = dialog.findChild<QFontDialog*>(QStringLiteral("fontChooser"));
    QFont font = chooser->currentFont();
    font.setPointSize(20);
    chooser->setCurrentFont(font);
    Press(dialog, QDialogButtonBox::Ok);
  });
  const std::optional<FontChoice> resized = AskFontWithColour(nullptr, initial);
  ASSERT_TRUE(resized.has_value());
  EXPECT_EQ(resized->FaceName, "Arial");
  EXPECT_EQ(resized->PointTenths, 200);
}

TEST(FontColourDialog, CancelGivesNothing) {
  WhenModal([](QWidget& dialog) { Press(dialog, QDialogButtonBox::Cancel); });
  EXPECT_EQ(AskFontWithColour(nullptr, FontChoice{}), std::nullopt);
}

}  // namespace
