#include "shell/form/FormPanel.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/form/FormLayout.h"

FormPanel::FormPanel(QWidget* parent)
    : QWidget(parent), scroll_(new QScrollArea(this)), content_(new QWidget) {
  controls_ = LayOutForm(content_);
  scroll_->setWidget(content_);
  scroll_->setWidgetResizable(true);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll_);
}

int FormPanel::ColumnWidth() const {
  // The vertical bar may appear whenever the window is short, so its width is always reserved.
  const int bar = scroll_->verticalScrollBar()->sizeHint().width();
  const int frame = 2 * scroll_->frameWidth();
  return content_->minimumSizeHint().width() + bar + frame;
}

QSize FormPanel::sizeHint() const {
  // The wrapped explanation grows taller as the column narrows, so the height is the one the
  // form needs at the width it is given.
  const int width = ColumnWidth();
  const int contentWidth =
      width - scroll_->verticalScrollBar()->sizeHint().width() - 2 * scroll_->frameWidth();
  const int height = content_->hasHeightForWidth() ? content_->heightForWidth(contentWidth)
                                                   : content_->sizeHint().height();
  return {width, height + 2 * scroll_->frameWidth()};
}

QSize FormPanel::minimumSizeHint() const {
  // Short windows scroll, so only the width is a real minimum.
  return {ColumnWidth(), scroll_->verticalScrollBar()->minimumSizeHint().height()};
}
