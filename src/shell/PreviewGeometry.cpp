#include "shell/PreviewGeometry.h"

#include <algorithm>
#include <cmath>

#include "engine/Truncate.h"

namespace {

constexpr std::int64_t kMillimetreTenthsPerInch = 254;

// value x numerator / denominator to the nearest integer, halves away from zero.
std::int64_t RoundedRatio(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t twice = 2 * std::abs(value) * numerator + denominator;
  const std::int64_t rounded = twice / (2 * denominator);
  return value < 0 ? -rounded : rounded;
}

// A side of the page as the unsigned number the paper size is; an empty or inverted page
// counts as one unit so that no division is by zero.
double Side(int length) { return std::max(1.0, static_cast<double>(length)); }

int Scaled(int length, double zoom) {
  return std::max(0, TruncToInt(static_cast<double>(length) * zoom));
}

}  // namespace

PreviewGeometry PreviewGeometry::Of(const Rect& page, double zoom, int clientWidth,
                                    int clientHeight) {
  PreviewGeometry geometry;
  geometry.ExtentWidth = Scaled(page.Width(), zoom);
  geometry.ExtentHeight = Scaled(page.Height(), zoom);
  // Integer division rounds towards zero, as the centring has always done.
  if (geometry.ExtentWidth < clientWidth) {
    geometry.OffsetX = (clientWidth - geometry.ExtentWidth) / 2;
  }
  if (geometry.ExtentHeight < clientHeight) {
    geometry.OffsetY = -((clientHeight - geometry.ExtentHeight) / 2);
  }
  return geometry;
}

double PreviewGeometry::FitZoom(const Rect& page, int clientWidth, int clientHeight) {
  double zoom = static_cast<double>(clientHeight) / Side(page.Height());
  if (Side(page.Width()) * zoom > clientWidth)
    zoom = static_cast<double>(clientWidth) / Side(page.Width());
  return Limit(zoom, page);
}

double PreviewGeometry::Limit(double zoom, const Rect& page) {
  if (!std::isfinite(zoom)) zoom = zoom > 0 ? MaximumExtent : MinimumZoom;
  const double largest = std::max(Side(page.Width()), Side(page.Height()));
  const double maximum = std::max(MinimumZoom, static_cast<double>(MaximumExtent) / largest);
  return std::clamp(zoom, MinimumZoom, maximum);
}

std::int64_t PreviewGeometry::Pixels(std::int64_t logical, int dpi) {
  return RoundedRatio(logical, std::max(dpi, 1), kMillimetreTenthsPerInch);
}

int PreviewGeometry::Logical(int pixels, int dpi) {
  return SaturateToInt(RoundedRatio(pixels, kMillimetreTenthsPerInch, std::max(dpi, 1)));
}
