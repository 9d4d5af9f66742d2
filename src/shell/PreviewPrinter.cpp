#include "shell/PreviewPrinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "engine/DisplayConverter.h"
#include "engine/Truncate.h"
#include "layout/Montage.h"
#include "platform/ModalQuestions.h"
#include "platform/RasterDeviceContext.h"
#include "shell/PreviewComposite.h"
#include "shell/PreviewGeometry.h"

namespace {

constexpr char kCannotStart[] = "Could not start print job.";
constexpr char kNoMemory[] = "There is not enough memory to print the page.";
constexpr double kMillimetreTenthsPerInch = 254.0;

}  // namespace

PreviewPrinter::PreviewPrinter() = default;

PreviewPrinter::~PreviewPrinter() = default;

void PreviewPrinter::Print(const Montage& layout, const PreviewSettings& settings) {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrinter& printer = *printer_;
  printer.setPageOrientation(layout.Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
  printer.setPrintRange(QPrinter::AllPages);
  printer.setFromTo(0, 0);
  if (!ModalQuestions::Current().AskPrint(printer)) return;

  const Rect page = PrintablePage(printer);
  if (page.Width() <= 0 || page.Height() <= 0) {
    ModalQuestions::Current().ShowMessage(kCannotStart);
    return;
  }
  const int dpi = DrawingDpi(printer, page);
  const auto width = PreviewGeometry::Pixels(page.Width(), dpi);
  const auto height = PreviewGeometry::Pixels(page.Height(), dpi);
  RasterDeviceContext dc(static_cast<int>(std::clamp<long long>(width, 0, MaximumPixels)),
                         static_cast<int>(std::clamp<long long>(height, 0, MaximumPixels)), dpi,
                         dpi);
  if (dc.IsNull()) {
    ModalQuestions::Current().ShowMessage(kNoMemory);
    return;
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    ModalQuestions::Current().ShowMessage(kCannotStart);
    return;
  }
  DisplayConverter converter;
  converter.Printing = true;
  DrawPreviewComposite(dc, converter, layout, settings, page);
  // The painter works in the printer's pixels from the printable area's corner; the picture
  // covers the page it was laid out for, at whatever resolution it was drawn.
  const double scale = printer.resolution() / kMillimetreTenthsPerInch;
  painter.setRenderHint(QPainter::LosslessImageRendering);
  painter.drawImage(QRectF(0, 0, page.Width() * scale, page.Height() * scale), dc.Image());
  painter.end();
}

Rect PreviewPrinter::PrintablePage(const QPrinter& printer) {
  const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
  return {0, 0, std::max(0, TruncToInt(area.width() * 10.0)),
          std::max(0, TruncToInt(area.height() * 10.0))};
}

int PreviewPrinter::DrawingDpi(const QPrinter& printer, const Rect& page) {
  int dpi = std::clamp(printer.resolution(), 1, MaximumDpi);
  const double inches = (std::max(page.Width(), 1) / kMillimetreTenthsPerInch) *
                        (std::max(page.Height(), 1) / kMillimetreTenthsPerInch);
  const double fitting = std::sqrt(static_cast<double>(MaximumPixels) / inches);
  if (dpi > fitting) dpi = std::max(1, static_cast<int>(fitting));
  return dpi;
}
