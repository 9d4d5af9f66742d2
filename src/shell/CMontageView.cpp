#include "shell/CMontageView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "platform/ModalQuestions.h"
#include "settings/PreviewPage.h"
#include "settings/PreviewSettings.h"
#include "shell/CMontageDoc.h"
#include "shell/DeferredMessages.h"
#include "shell/PreviewCache.h"
#include "shell/PreviewGeometry.h"
#include "shell/PreviewPrinter.h"

namespace {

constexpr double kZoomInFactor = 1.1;
constexpr double kZoomOutFactor = 0.9;
constexpr QRgb kPaperColour = 0xFFFFFFFF;

// The resolution of the screen's device pixels, so that the page is drawn sharp on a
// high-density screen.
int DeviceDpi(int logicalDpi, qreal ratio) {
  return std::max(1, static_cast<int>(std::lround(logicalDpi * ratio)));
}

int ToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, -(1 << 30), 1 << 30));
}

// Qt's scroll areas step a page by the view and a line by a tenth of it.
void SetScrollBar(QScrollBar& bar, std::int64_t contentPixels, int viewPixels) {
  bar.setRange(0, ToInt(std::max<std::int64_t>(0, contentPixels - viewPixels)));
  bar.setPageStep(std::max(1, viewPixels));
  bar.setSingleStep(std::max(1, viewPixels / 10));
}

}  // namespace

CMontageView::CMontageView(CMontageDoc& document, QWidget* parent)
    : QAbstractScrollArea(parent),
      document_(document),
      cache_(std::make_unique<PreviewCache>()),
      printer_(std::make_unique<PreviewPrinter>()) {
  // The splitter draws the pane's border; the view's client area is the page's own.
  setFrameShape(QFrame::NoFrame);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  document_.AddView(*this);
  UpdateScrollSizes();
}

CMontageView::~CMontageView() { document_.RemoveView(*this); }

void CMontageView::ZoomIn() { ZoomTo(zoom_ * kZoomInFactor); }

void CMontageView::ZoomOut() { ZoomTo(zoom_ * kZoomOutFactor); }

void CMontageView::ZoomActualSize() { ZoomTo(1.0); }

void CMontageView::FitToWindow() {
  // Showing or hiding a scroll bar changes the client area, so the fit is made twice, the
  // scroll bars laid out in between.
  for (int pass = 0; pass < 2; ++pass) {
    const QSize client = ClientSize();
    zoom_ = PreviewGeometry::FitZoom(Page(), client.width(), client.height());
    UpdateScrollSizes();
    QEvent layoutRequest(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(this, &layoutRequest);
  }
  Redraw();
}

void CMontageView::Print() { printer_->Print(document_.layout(), PreviewSettings::Instance()); }

void CMontageView::OnUpdate(unsigned hint) {
  if (hint == 0 || (hint & (HintLayoutEdited | HintReloaded)) != 0) {
    UpdateScrollSizes();
    cache_->Invalidate();
    Redraw();
  }
}

int CMontageView::Drawings() const { return cache_->Drawings(); }

PreviewDrawn CMontageView::LastDrawn() const { return cache_->LastDrawn(); }

QSize CMontageView::CachedPictureSize() const { return cache_->Kept().size(); }

void CMontageView::paintEvent(QPaintEvent*) {
  const qreal ratio = viewport()->devicePixelRatioF();
  const PreviewCache::Key key{Page(), zoom_, DeviceDpi(logicalDpiX(), ratio),
                              DeviceDpi(logicalDpiY(), ratio)};
  const QSize client = ClientSize();
  const PreviewGeometry geometry =
      PreviewGeometry::Of(key.Page, zoom_, client.width(), client.height());
  const QSize page = PreviewCache::PagePixels(key);
  // Everything below is in the viewport's device pixels.
  const QSize view(static_cast<int>(std::ceil(viewport()->width() * ratio)),
                   static_cast<int>(std::ceil(viewport()->height() * ratio)));
  const QPoint corner(ToInt(PreviewGeometry::Pixels(geometry.OffsetX, key.DpiX) -
                            std::lround(horizontalScrollBar()->value() * ratio)),
                      ToInt(PreviewGeometry::Pixels(-geometry.OffsetY, key.DpiY) -
                            std::lround(verticalScrollBar()->value() * ratio)));

  QPainter painter(viewport());
  painter.scale(1.0 / ratio, 1.0 / ratio);
  painter.fillRect(QRect(QPoint(0, 0), view), QColor::fromRgb(kPaperColour));
  const QColor surround = QColor::fromRgb(SurroundColour);
  if (geometry.ExtentWidth < client.width()) {
    painter.fillRect(QRect(0, 0, corner.x(), view.height()), surround);
    painter.fillRect(QRect(corner.x() + page.width(), 0, view.width(), view.height()), surround);
  }
  if (geometry.ExtentHeight < client.height()) {
    painter.fillRect(QRect(0, 0, view.width(), corner.y()), surround);
    painter.fillRect(QRect(0, corner.y() + page.height(), view.width(), view.height()), surround);
  }

  std::vector<std::string> messages;
  const QImage* picture = nullptr;
  {
    DeferredMessages held;
    picture = &cache_->Picture(document_.layout(), PreviewSettings::Instance(), key,
                               QRect(-corner, view));
    messages = held.Take();
  }
  if (!picture->isNull()) painter.drawImage(corner + cache_->PictureOrigin(), *picture);
  if (!messages.empty() && !messagesShown_) ShowHeldMessages(std::move(messages));
}

void CMontageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollSizes();
  ScheduleFirstFit();
}

void CMontageView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  ScheduleFirstFit();
}

Rect CMontageView::Page() const {
  return PreviewPage(PreviewSettings::Instance(), document_.layout());
}

QSize CMontageView::ClientSize() const {
  return {PreviewGeometry::Logical(viewport()->width(), logicalDpiX()),
          PreviewGeometry::Logical(viewport()->height(), logicalDpiY())};
}

void CMontageView::UpdateScrollSizes() {
  const Rect page = Page();
  zoom_ = PreviewGeometry::Limit(zoom_, page);
  const PreviewGeometry geometry = PreviewGeometry::Of(page, zoom_, 0, 0);
  extent_ = QSize(geometry.ExtentWidth, geometry.ExtentHeight);
  SetScrollBar(*horizontalScrollBar(), PreviewGeometry::Pixels(extent_.width(), logicalDpiX()),
               viewport()->width());
  SetScrollBar(*verticalScrollBar(), PreviewGeometry::Pixels(extent_.height(), logicalDpiY()),
               viewport()->height());
}

void CMontageView::ZoomTo(double zoom) {
  zoom_ = zoom;
  UpdateScrollSizes();
  Redraw();
}

void CMontageView::Redraw() {
  messagesShown_ = false;
  viewport()->update();
}

void CMontageView::ScheduleFirstFit() {
  // Showing the window sends the view its size while the window is still being laid out; the
  // fit waits for the event loop, by which time the view has the size it is shown at.
  if (fittedOnce_ || fitScheduled_ || !isVisible()) return;
  fitScheduled_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        fitScheduled_ = false;
        if (fittedOnce_ || !isVisible() || viewport()->size().isEmpty()) return;
        fittedOnce_ = true;
        FitToWindow();
      },
      Qt::QueuedConnection);
}

void CMontageView::ShowHeldMessages(std::vector<std::string> messages) {
  messagesShown_ = true;
  QMetaObject::invokeMethod(
      this,
      [messages = std::move(messages)] {
        for (const std::string& message : messages) ModalQuestions::Current().ShowMessage(message);
      },
      Qt::QueuedConnection);
}
