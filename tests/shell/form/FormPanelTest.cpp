#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <optional>
#include <string>

#include "shell/form/FormControlIds.h"
#include "shell/form/FormPanel.h"

namespace {

// The column the main window gives the form, in logical pixels.
constexpr int kColumnWidth = 460;

// Widgets built while this lives take the font of the named family at the application's size.
class ScopedApplicationFont {
 public:
  explicit ScopedApplicationFont(const QString& family) : previous_(QApplication::font()) {
    if (family.isEmpty()) return;
    QFont font = previous_;
    font.setFamily(family);
    QApplication::setFont(font);
  }
  ~ScopedApplicationFont() { QApplication::setFont(previous_); }
  ScopedApplicationFont(const ScopedApplicationFont&) = delete;
  ScopedApplicationFont& operator=(const ScopedApplicationFont&) = delete;

 private:
  QFont previous_;
};

// The least width the layout may give a widget before its text would be cut.
int LeastWidth(const QWidget* widget) {
  return widget->minimumWidth() > 0 ? widget->minimumWidth() : widget->minimumSizeHint().width();
}

bool InsideACombo(const QWidget* widget) {
  for (const QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (qobject_cast<const QComboBox*>(up) != nullptr) return true;
  }
  return false;
}

// "" is the application's default font; Liberation Sans is the face the form is drawn for.
class FormPanelWidth : public testing::TestWithParam<const char*> {};

TEST_P(FormPanelWidth, FitsTheColumnWithoutHorizontalScrolling) {
  ScopedApplicationFont font(QString::fromLatin1(GetParam()));
  if (*GetParam() != '\0') {
    ASSERT_EQ(QFontInfo(QApplication::font()).family(), GetParam()) << "font not installed";
  }
  FormPanel panel;
  // Long paths must not widen the column: the fields scroll their text instead.
  const QString longPath = "/home/user/" + QString(300, 'x') + ".txt";
  panel.Controls().Get<QComboBox>(FormId::RecentFiles)->addItem(longPath);
  panel.Controls().Get<QLineEdit>(FormId::SampleImagePath)->setText(longPath);
  EXPECT_LE(panel.ColumnWidth(), kColumnWidth);
  EXPECT_EQ(panel.minimumSizeHint().width(), panel.ColumnWidth());

  panel.resize(kColumnWidth, 500);
  panel.show();
  QApplication::processEvents();
  QScrollArea* area = panel.ScrollArea();
  QWidget* content = area->widget();
  EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_TRUE(area->widgetResizable());
  // The form is taller than 500 pixels, so the column scrolls up and down instead.
  EXPECT_TRUE(area->verticalScrollBar()->isVisible());
  EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
  EXPECT_LE(content->width(), area->viewport()->width());
  EXPECT_LE(content->minimumSizeHint().width(), content->width());

  int checked = 0;
  for (QWidget* widget : content->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(content) || InsideACombo(widget)) continue;
    ++checked;
    const QRect box(widget->mapTo(content, QPoint(0, 0)), widget->size());
    const std::string name =
        widget->metaObject()->className() + (" " + widget->accessibleName().toStdString());
    EXPECT_GE(box.left(), 0) << name;
    EXPECT_LE(box.right(), content->width() - 1) << name;
    EXPECT_GE(widget->width(), LeastWidth(widget)) << name;
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->wordWrap()) {
      EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST_P(FormPanelWidth, ShowsTheWholeFormAtItsHintedSize) {
  ScopedApplicationFont font(QString::fromLatin1(GetParam()));
  FormPanel panel;
  panel.resize(panel.sizeHint());
  panel.show();
  QApplication::processEvents();
  EXPECT_FALSE(panel.ScrollArea()->verticalScrollBar()->isVisible());
  const QWidget* last = panel.Controls().ById(FormId::CaptionAbove);
  EXPECT_LE(last->mapTo(panel.ScrollArea()->viewport(), QPoint(0, last->height())).y(),
            panel.ScrollArea()->viewport()->height());
}

INSTANTIATE_TEST_SUITE_P(Fonts, FormPanelWidth, testing::Values("", "Liberation Sans"));

}  // namespace
