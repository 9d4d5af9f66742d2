#include "platform/RasterDeviceContext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "platform/DibStretch.h"
#include "platform/ZeroedBlock.h"

namespace {

constexpr int kMillimetreTenthsPerInch = 254;
constexpr int kPointTenthsPerInch = 720;
constexpr int kMinimumDpi = 1;
constexpr int kMaximumDpi = 10000;
// A surface of more than 1 GiB of pixels only comes from an absurd resolution or paper size;
// it is refused rather than left to exhaust the memory.
constexpr std::int64_t kMaximumPixels = std::int64_t{1} << 28;
// Font heights beyond this many pixels only come from absurd sizes or zooms; capping them keeps
// glyph rendering bounded in time and memory.
constexpr int kMaximumFontPixels = 16384;
// Windows keeps 32 characters for a face name, the last one being the terminator.
constexpr std::size_t kMaximumFaceNameBytes = 31;

// value x numerator / denominator rounded to the nearest integer, halves upwards.
std::int64_t RoundedRatio(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t twice = 2 * value * numerator + denominator;
  const std::int64_t divisor = 2 * denominator;
  return twice >= 0 ? twice / divisor : -((-twice + divisor - 1) / divisor);
}

std::pair<std::int64_t, std::int64_t> Ordered(std::int64_t a, std::int64_t b) {
  return a < b ? std::pair(a, b) : std::pair(b, a);
}

QRgb ToRgb(ColourRef colour) { return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

// Cuts the name to the bytes a Windows face name holds, without splitting a UTF-8 character.
std::string CutFaceName(std::string name) {
  if (name.size() <= kMaximumFaceNameBytes) return name;
  std::size_t end = kMaximumFaceNameBytes;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  name.resize(end);
  return name;
}

// A 32-bit image whose pixels lie in a ZeroedBlock, which a large surface gets faster than the
// allocator's memory; the block goes when the last image sharing the pixels does. Null when the
// memory cannot be had.
QImage ImageOnZeroedBlock(int width, int height) {
  ZeroedBlock block = ZeroedBlock::Allocate(static_cast<std::size_t>(width) * height * 4);
  if (!block) return {};
  auto owner = std::make_unique<ZeroedBlock>(std::move(block));
  QImage image(
      owner->get(), width, height, qsizetype{width} * 4, QImage::Format_RGB32,
      [](void* pixels) { delete static_cast<ZeroedBlock*>(pixels); }, owner.get());
  // Qt takes the block only for an image it could make.
  if (!image.isNull()) owner.release();
  return image;
}

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

RasterDeviceContext::RasterDeviceContext(int widthPixels, int heightPixels, int dpiX, int dpiY,
                                         ColourRef background)
    : dpiX_(std::clamp(dpiX, kMinimumDpi, kMaximumDpi)),
      dpiY_(std::clamp(dpiY, kMinimumDpi, kMaximumDpi)) {
  if (widthPixels > 0 && heightPixels > 0 &&
      std::int64_t{widthPixels} * heightPixels <= kMaximumPixels) {
    image_ = ImageOnZeroedBlock(widthPixels, heightPixels);
  }
  if (!image_.isNull()) {
    image_.fill(ToRgb(background));
    // An exported image carries its resolution, so it prints at the size it was drawn for.
    image_.setDotsPerMeterX(static_cast<int>(RoundedRatio(dpiX_, 10000, kMillimetreTenthsPerInch)));
    image_.setDotsPerMeterY(static_cast<int>(RoundedRatio(dpiY_, 10000, kMillimetreTenthsPerInch)));
  }
  font_ = CreatePointFontIndirect(FontDescription{});
}

RasterDeviceContext::~RasterDeviceContext() { EndPainting(); }

BackgroundMode RasterDeviceContext::SetBkMode(BackgroundMode mode) {
  return std::exchange(bkMode_, mode);
}

StretchMode RasterDeviceContext::SetStretchBltMode(StretchMode mode) {
  return std::exchange(stretchMode_, mode);
}

void RasterDeviceContext::FillSolidRect(int left, int top, int right, int bottom,
                                        ColourRef colour) {
  // The Windows fill goes through the background colour and leaves it set, so opaque text
  // drawn afterwards has this colour behind it.
  bkColour_ = colour;
  if (IsNull()) return;
  const auto [x0, x1] = Ordered(DeviceX(left), DeviceX(right));
  const auto [y0, y1] = Ordered(DeviceY(top), DeviceY(bottom));
  const int fromX = static_cast<int>(std::clamp<std::int64_t>(x0, 0, image_.width()));
  const int toX = static_cast<int>(std::clamp<std::int64_t>(x1, 0, image_.width()));
  const int fromY = static_cast<int>(std::clamp<std::int64_t>(y0, 0, image_.height()));
  const int toY = static_cast<int>(std::clamp<std::int64_t>(y1, 0, image_.height()));
  if (fromX >= toX || fromY >= toY) return;
  TakeBackRows(fromY, toY);
  std::uint8_t* bits = WritableBits();
  const QRgb pixel = ToRgb(colour);
  for (int y = fromY; y < toY; ++y) {
    auto* row = reinterpret_cast<QRgb*>(bits + y * image_.bytesPerLine());
    std::fill(row + fromX, row + toX, pixel);
  }
}

Pen RasterDeviceContext::SelectPen(const Pen& pen) { return std::exchange(pen_, pen); }

Brush RasterDeviceContext::SelectBrush(const Brush& brush) { return std::exchange(brush_, brush); }

SurfaceFont RasterDeviceContext::SelectFont(const SurfaceFont& font) {
  qFont_.reset();
  return std::exchange(font_, font);
}

void RasterDeviceContext::Polygon(std::span<const LogicalPoint> points) {
  if (IsNull() || points.size() < 2) return;
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const LogicalPoint& point : points) {
    polygon << QPointF(static_cast<qreal>(DeviceX(point.x)), static_cast<qreal>(DeviceY(point.y)));
  }
  // The pen straddles the outline; a pixel more covers the rounding of its edges.
  const QRectF bounds = polygon.boundingRect();
  const std::int64_t reach = PenPixels() / 2 + 1;
  TakeBackRows(static_cast<std::int64_t>(std::floor(bounds.top())) - reach,
               static_cast<std::int64_t>(std::ceil(bounds.bottom())) + reach + 1);
  QPainter& painter = Painter();
  painter.setPen(
      QPen(QColor(ToRgb(pen_.Colour)), PenPixels(), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(QColor(ToRgb(brush_.Colour)));
  painter.drawPolygon(polygon, Qt::OddEvenFill);
}

SurfaceFont RasterDeviceContext::CreatePointFontIndirect(const FontDescription& description) const {
  SurfaceFont font;
  font.Description = description;
  font.Description.FaceName = CutFaceName(description.FaceName);
  // As Windows does it: the height becomes whole device pixels, then logical units, so a
  // 10 pt font is 10 pt on paper at any resolution.
  const std::int64_t pixels = std::clamp<std::int64_t>(
      RoundedRatio(std::abs(std::int64_t{description.PointTenths}), dpiY_, kPointTenthsPerInch), 1,
      kMaximumFontPixels);
  font.LogicalHeight = static_cast<double>(pixels) * kMillimetreTenthsPerInch / dpiY_;
  return font;
}

ColourRef RasterDeviceContext::SetTextColor(ColourRef colour) {
  return std::exchange(textColour_, colour);
}

LogicalSize RasterDeviceContext::GetTextExtentPoint32(const std::string& text) const {
  const QFontMetrics metrics(CurrentQFont());
  const int width = metrics.horizontalAdvance(ToQString(text));
  return {static_cast<int>(RoundedRatio(width, kMillimetreTenthsPerInch, dpiX_)),
          static_cast<int>(RoundedRatio(metrics.height(), kMillimetreTenthsPerInch, dpiY_))};
}

void RasterDeviceContext::TextOut(int x, int y, const std::string& text) {
  if (IsNull() || text.empty()) return;
  const QFont& font = CurrentQFont();
  const QFontMetrics metrics(font);
  const QString string = ToQString(text);
  const std::int64_t left = DeviceX(x);
  const std::int64_t top = DeviceY(y);
  const int width = metrics.horizontalAdvance(string);
  // Italic overhang and accents may reach a little outside the advance box.
  const std::int64_t slack = metrics.height();
  if (left - slack > image_.width() || top - slack > image_.height() || left + width + slack < 0 ||
      top + metrics.height() + slack < 0) {
    return;
  }
  const bool opaque = bkMode_ == BackgroundMode::Opaque;
  if (handedOver_ > 0) {
    // The ink of some glyphs (accents, swashes) reaches above the line; two pixels more cover
    // the smoothing of its edges.
    const QRect ink = metrics.tightBoundingRect(string);
    const std::int64_t inkTop = top + metrics.ascent() + ink.top() - 2;
    const std::int64_t inkBottom = top + metrics.ascent() + ink.bottom() + 2;
    TakeBackRows(opaque ? std::min(top, inkTop) : inkTop,
                 opaque ? std::max(top + metrics.height(), inkBottom) : inkBottom);
  }
  QPainter& painter = Painter();
  if (opaque) {
    painter.fillRect(QRect(static_cast<int>(left), static_cast<int>(top), width, metrics.height()),
                     QColor(ToRgb(bkColour_)));
  }
  painter.setFont(font);
  painter.setPen(QColor(ToRgb(textColour_)));
  painter.drawText(QPointF(static_cast<qreal>(left), static_cast<qreal>(top + metrics.ascent())),
                   string);
}

void RasterDeviceContext::StretchDIBits(int x, int y, int width, int height, int sourceX,
                                        int sourceY, int sourceWidth, int sourceHeight,
                                        const DibView& bitmap, RasterOp op) {
  if (IsNull()) return;
  const DibStretch stretch(bitmap, {sourceX, sourceY, sourceWidth, sourceHeight});
  if (!stretch.IsDrawable()) return;
  // The picture keeps its top row at the upper edge whichever way the rectangle is given, so
  // it never comes out mirrored although logical y grows upwards.
  const auto [left, right] = Ordered(DeviceX(x), DeviceX(static_cast<std::int64_t>(x) + width));
  const auto [top, bottom] = Ordered(DeviceY(y), DeviceY(static_cast<std::int64_t>(y) + height));
  TakeBackRows(top, bottom);
  stretch.Draw({left, top, right, bottom}, op,
               {WritableBits(), image_.width(), image_.height(), image_.bytesPerLine()});
}

QImage RasterDeviceContext::Image() {
  EndPainting();
  return image_;
}

std::int64_t RasterDeviceContext::DeviceX(std::int64_t logicalX) const {
  return origin_.x() + RoundedRatio(logicalX, dpiX_, kMillimetreTenthsPerInch);
}

std::int64_t RasterDeviceContext::DeviceY(std::int64_t logicalY) const {
  return origin_.y() - RoundedRatio(logicalY, dpiY_, kMillimetreTenthsPerInch);
}

void RasterDeviceContext::HandOverRowsAbove(std::int64_t row, std::function<void()> letGo) {
  const int rows = static_cast<int>(std::clamp<std::int64_t>(row, 0, image_.height()));
  if (takenBack_ || rows <= handedOver_) return;
  handedOver_ = rows;
  letGo_ = std::move(letGo);
}

void RasterDeviceContext::TakeBackRows(std::int64_t top, std::int64_t bottom) {
  if (handedOver_ == 0 || top >= bottom || top >= handedOver_ || bottom <= 0) return;
  if (letGo_) letGo_();
  letGo_ = nullptr;
  handedOver_ = 0;
  takenBack_ = true;
}

QPainter& RasterDeviceContext::Painter() {
  if (!painter_) {
    KeepPixelsInPlace();
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
  }
  return *painter_;
}

void RasterDeviceContext::EndPainting() {
  if (painter_) painter_->end();
  painter_.reset();
}

std::uint8_t* RasterDeviceContext::WritableBits() {
  // A painter draws into the buffer it began on; if the pixels are shared with a copy, end it
  // so that the copy is detached from before anything is written.
  if (painter_ && !image_.isDetached()) EndPainting();
  KeepPixelsInPlace();
  return image_.bits();
}

void RasterDeviceContext::KeepPixelsInPlace() {
  // Pixels shared with a copy move to a buffer of their own when they are written, and the
  // reader's would go with the copy.
  if (!image_.isDetached()) TakeBackRows(0, image_.height());
}

const QFont& RasterDeviceContext::CurrentQFont() const {
  if (!qFont_) {
    const FontDescription& description = font_.Description;
    QFont font;
    font.setFamilies({ToQString(description.FaceName)});
    font.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(
        std::llround(font_.LogicalHeight * dpiY_ / kMillimetreTenthsPerInch), 1,
        kMaximumFontPixels)));
    const int weight = description.Weight <= 0 ? 400 : std::min(description.Weight, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(description.Italic);
    // Unhinted glyphs advance by their design widths, so text measures the same on every
    // machine whatever its font configuration says about hinting.
    font.setHintingPreference(QFont::PreferNoHinting);
    qFont_ = font;
  }
  return *qFont_;
}

int RasterDeviceContext::PenPixels() const {
  return static_cast<int>(
      std::max<std::int64_t>(1, RoundedRatio(1, std::min(dpiX_, dpiY_), kMillimetreTenthsPerInch)));
}
