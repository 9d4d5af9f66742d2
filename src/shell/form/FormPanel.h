#pragma once

#include <QWidget>

#include "shell/form/FormControls.h"

class QScrollArea;

// The window's right-hand column: every control of the layout form in a scroll area that
// scrolls vertically when the window is short and never horizontally.
class FormPanel : public QWidget {
  Q_OBJECT

 public:
  explicit FormPanel(QWidget* parent = nullptr);

  const FormControls& Controls() const { return controls_; }
  QScrollArea* ScrollArea() const { return scroll_; }

  // The width the column needs to show the form without clipping, vertical scroll bar included.
  int ColumnWidth() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  QScrollArea* scroll_;
  QWidget* content_;
  FormControls controls_;
};
