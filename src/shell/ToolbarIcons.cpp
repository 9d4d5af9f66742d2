#include "shell/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const char* ThemeName(ToolbarIcon which) {
  switch (which) {
    case ToolbarIcon::New:
      return "document-new";
    case ToolbarIcon::Open:
      return "document-open";
    case ToolbarIcon::Save:
      return "document-save";
    case ToolbarIcon::Undo:
      return "edit-undo";
    case ToolbarIcon::ZoomIn:
      return "zoom-in";
    case ToolbarIcon::ZoomOut:
      return "zoom-out";
    case ToolbarIcon::FitToWindow:
      return "zoom-fit-best";
    case ToolbarIcon::ActualSize:
      return "zoom-original";
  }
  return "";
}

const QColor kInk(40, 44, 52);

void DrawPage(QPainter& p) {
  QPainterPath page;
  page.moveTo(5, 2);
  page.lineTo(18, 2);
  page.lineTo(23, 7);
  page.lineTo(23, 26);
  page.lineTo(5, 26);
  page.closeSubpath();
  p.setBrush(Qt::white);
  p.drawPath(page);
  p.drawPolyline(QPolygonF({{18, 2}, {18, 7}, {23, 7}}));
}

void DrawFolder(QPainter& p) {
  p.setBrush(QColor(226, 180, 72));
  p.drawPolygon(QPolygonF({{2, 7}, {10, 7}, {12, 9}, {25, 9}, {25, 24}, {2, 24}}));
  p.setBrush(QColor(245, 205, 105));
  p.drawPolygon(QPolygonF({{2, 24}, {6, 13}, {27, 13}, {25, 24}}));
}

void DrawDisk(QPainter& p) {
  p.setBrush(QColor(52, 101, 164));
  p.drawRoundedRect(QRectF(3, 3, 22, 22), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7, 3, 14, 8));
  p.setBrush(QColor(200, 210, 225));
  p.drawRect(QRectF(8, 16, 12, 9));
}

void DrawUndo(QPainter& p) {
  QPainterPath arc;
  arc.moveTo(9, 11);
  arc.cubicTo(18, 5, 27, 12, 22, 22);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(arc);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({{3, 12}, {12, 5}, {12, 18}}));
}

void DrawMagnifier(QPainter& p, const QString& sign) {
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(17, 17), QPointF(25, 25));
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(235, 243, 252));
  p.drawEllipse(QPointF(11.5, 11.5), 8.5, 8.5);
  p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::FlatCap));
  if (sign == QLatin1String("+") || sign == QLatin1String("-")) {
    p.drawLine(QPointF(7, 11.5), QPointF(16, 11.5));
    if (sign == QLatin1String("+")) p.drawLine(QPointF(11.5, 7), QPointF(11.5, 16));
  } else {
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(3, 3, 17, 17), Qt::AlignCenter, sign);
  }
}

void DrawFit(QPainter& p) {
  p.setBrush(QColor(235, 243, 252));
  p.drawRect(QRectF(8, 9, 12, 10));
  p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::SquareCap));
  for (const auto& corner : {QPointF(3, 3), QPointF(25, 3), QPointF(3, 25), QPointF(25, 25)}) {
    const double dx = corner.x() < 14 ? 5 : -5;
    const double dy = corner.y() < 14 ? 5 : -5;
    p.drawLine(corner, corner + QPointF(dx, 0));
    p.drawLine(corner, corner + QPointF(0, dy));
  }
}

// Draws the picture on a 28 x 28 grid scaled to the pixmap.
QPixmap Draw(ToolbarIcon which, int pixels) {
  QPixmap pixmap(pixels, pixels);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(pixels / 28.0, pixels / 28.0);
  p.setPen(QPen(kInk, 1.5));
  switch (which) {
    case ToolbarIcon::New:
      DrawPage(p);
      break;
    case ToolbarIcon::Open:
      DrawFolder(p);
      break;
    case ToolbarIcon::Save:
      DrawDisk(p);
      break;
    case ToolbarIcon::Undo:
      DrawUndo(p);
      break;
    case ToolbarIcon::ZoomIn:
      DrawMagnifier(p, QStringLiteral("+"));
      break;
    case ToolbarIcon::ZoomOut:
      DrawMagnifier(p, QStringLiteral("-"));
      break;
    case ToolbarIcon::FitToWindow:
      DrawFit(p);
      break;
    case ToolbarIcon::ActualSize:
      DrawMagnifier(p, QStringLiteral("1:1"));
      break;
  }
  return pixmap;
}

}  // namespace

QIcon DrawnToolbarIcon(ToolbarIcon which) {
  QIcon icon;
  for (const int pixels : {16, 22, 24, 32, 44, 48, 64}) icon.addPixmap(Draw(which, pixels));
  return icon;
}

QIcon MakeToolbarIcon(ToolbarIcon which) {
  const QString name = QString::fromLatin1(ThemeName(which));
  return QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : DrawnToolbarIcon(which);
}
