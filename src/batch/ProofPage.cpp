#include "batch/ProofPage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The faces the proof's own text is set in: Liberation Sans, which the program depends on, and
// what the system finds in its place otherwise.
QFont ProofFont(double points, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

constexpr double kFooterPoints = 9.0;
// The room around the footer's text, in inches.
constexpr double kFooterMargin = 0.08;
// The mark is light enough to read every name through it.
const QColor kMarkColour(128, 128, 128, 72);
const char kMarkText[] = "PROOF";

QString Text(const std::string& text) { return QString::fromStdString(text); }

std::string Summary(const ProofPage& page) {
  const std::size_t missing = page.Missing.size();
  return "Group: " + page.Group + " | Count: " + std::to_string(page.Count) +
         " | Missing pictures: " + (missing == 0 ? std::string("none") : std::to_string(missing));
}

double Width(const QFontMetricsF& metrics, const std::string& text) {
  return metrics.horizontalAdvance(Text(text));
}

// The box of the composite drawn as large as the area allows, its proportions kept, centred
// across the area and at its top.
QRectF FittedBox(const QImage& image, const QRectF& area) {
  if (image.isNull() || area.width() <= 0 || area.height() <= 0) return {};
  const double scale = std::min(area.width() / image.width(), area.height() / image.height());
  const QSizeF size(image.width() * scale, image.height() * scale);
  return QRectF(QPointF(area.left() + (area.width() - size.width()) / 2, area.top()), size);
}

void PaintMark(QPainter& painter, const QRectF& box) {
  if (box.isEmpty()) return;
  const double diagonal = std::hypot(box.width(), box.height());
  QFont font = ProofFont(72, true);
  // Sized so that the word spans about three fifths of the diagonal at any paper size.
  const double natural = QFontMetricsF(font, painter.device()).horizontalAdvance(kMarkText);
  font.setPointSizeF(72 * 0.6 * diagonal / natural);
  painter.save();
  painter.translate(box.center());
  painter.rotate(-std::atan2(box.height(), box.width()) * 180 / std::numbers::pi);
  painter.setFont(font);
  painter.setPen(kMarkColour);
  const QFontMetricsF metrics(font, painter.device());
  const double width = metrics.horizontalAdvance(kMarkText);
  painter.drawText(QPointF(-width / 2, (metrics.ascent() - metrics.descent()) / 2), kMarkText);
  painter.restore();
}

}  // namespace

std::vector<std::string> ProofFooterLines(const ProofPage& page, const QFontMetricsF& metrics,
                                          double width) {
  std::vector<std::string> lines{Summary(page)};
  const std::vector<std::string>& names = page.Missing;
  const std::size_t total = names.size();
  // On the last line room is kept for the remark, measured with the largest count it can show.
  const double remarkWidth = Width(metrics, ", ... and " + std::to_string(total) + " more");
  std::size_t next = 0;
  while (next < total && lines.size() <= MaxMissingLines) {
    const bool lastLine = lines.size() == MaxMissingLines;
    std::string line = lines.size() == 1 ? "Missing: " : "";
    bool empty = true;
    while (next < total) {
      const std::string candidate = line + (empty ? "" : ", ") + names[next];
      const bool more = next + 1 < total;
      const double room = width - (lastLine && more ? remarkWidth : 0.0);
      if (Width(metrics, candidate) <= room) {
        line = candidate;
      } else if (empty) {
        line = metrics.elidedText(Text(candidate), Qt::ElideRight, room).toStdString();
      } else {
        break;
      }
      empty = false;
      ++next;
    }
    if (lastLine && next < total) {
      line += (empty ? "... and " : ", ... and ") + std::to_string(total - next) + " more";
    }
    lines.push_back(line);
  }
  return lines;
}

void PaintProofPage(QPainter& painter, const ProofPage& page) {
  const QPaintDevice& device = *painter.device();
  const QRectF area(0, 0, device.width(), device.height());
  const double margin = kFooterMargin * device.logicalDpiX();
  const QFont plain = ProofFont(kFooterPoints, false);
  const QFontMetricsF metrics(plain, painter.device());
  const std::vector<std::string> lines = ProofFooterLines(page, metrics, area.width() - 2 * margin);
  const double footer = static_cast<double>(lines.size()) * metrics.lineSpacing() + 2 * margin;

  const QRectF box = FittedBox(
      page.Composite, QRectF(area.topLeft(), QSizeF(area.width(), area.height() - footer)));
  if (!box.isEmpty()) painter.drawImage(box, page.Composite);
  PaintMark(painter, box);

  painter.setPen(Qt::black);
  double baseline = area.height() - footer + margin + metrics.ascent();
  // The first line, which names the group, stands out from the list below it; a group name too
  // long for the page is cut short.
  const QFont bold = ProofFont(kFooterPoints, true);
  painter.setFont(bold);
  painter.drawText(QPointF(margin, baseline),
                   QFontMetricsF(bold, painter.device())
                       .elidedText(Text(lines.front()), Qt::ElideRight, area.width() - 2 * margin));
  painter.setFont(plain);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    baseline += metrics.lineSpacing();
    painter.drawText(QPointF(margin, baseline), Text(lines[i]));
  }
}
