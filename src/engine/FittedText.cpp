#include "engine/FittedText.h"

#include <algorithm>

#include "engine/DisplayConverter.h"
#include "engine/Truncate.h"
#include "layout/ColourText.h"
#include "layout/FontDetails.h"
#include "platform/DeviceContext.h"

namespace {

constexpr int kMinimumBoxHeight = 5;
constexpr int kMinimumBoxWidth = 20;

struct Fit {
  std::uint32_t Size = 0;
  SurfaceFont Previous;  // the font the surface held before fitting
};

std::optional<Fit> FitSelecting(DeviceContext& dc, const DisplayConverter& converter,
                                const std::string& text, int width, int height,
                                const FontDetails& font) {
  if (height < kMinimumBoxHeight || width < kMinimumBoxWidth) return std::nullopt;
  // Every step lowers the size by at least one until the minimum, so the loop ends after a few
  // hundred steps even from the largest size a layout file can hold.
  Fit fit;
  fit.Size = std::max(font.FontPoint, MinimumFitSize);
  fit.Previous = dc.SelectFont(converter.CreateFont(dc, font, fit.Size));
  while (true) {
    const LogicalSize extent = dc.GetTextExtentPoint32(text);
    if (fit.Size <= MinimumFitSize || (extent.cx <= width && extent.cy <= height)) return fit;
    fit.Size = NextFitSize(fit.Size);
    dc.SelectFont(converter.CreateFont(dc, font, fit.Size));
  }
}

}  // namespace

std::uint32_t NextFitSize(std::uint32_t size) {
  return std::max(MinimumFitSize, static_cast<std::uint32_t>(size * 0.95));
}

std::optional<std::uint32_t> FitText(DeviceContext& dc, const DisplayConverter& converter,
                                     const std::string& text, int width, int height,
                                     const FontDetails& font) {
  const auto fit = FitSelecting(dc, converter, text, width, height, font);
  if (!fit) return std::nullopt;
  return fit->Size;
}

std::optional<FittedText> DrawFittedText(DeviceContext& dc, const DisplayConverter& converter,
                                         const std::string& text, const Rect& box,
                                         const FontDetails& font) {
  const long long width = static_cast<long long>(box.Right) - box.Left;
  const long long height = static_cast<long long>(box.Top) - box.Bottom;
  const auto fit =
      FitSelecting(dc, converter, text, SaturateToInt(width), SaturateToInt(height), font);
  if (!fit) return std::nullopt;

  const ColourRef previousColour = dc.SetTextColor(ParseColour(font.FontColour));
  const LogicalSize extent = dc.GetTextExtentPoint32(text);
  // Centred both ways; a text that does not fit even at the smallest size overhangs its box
  // evenly on both sides.
  FittedText fitted;
  fitted.PointTenths = fit->Size;
  fitted.Width = extent.cx;
  fitted.Height = extent.cy;
  fitted.X =
      SaturateToInt(box.Left + (box.Right - static_cast<long long>(extent.cx) - box.Left) / 2);
  fitted.Y =
      SaturateToInt(box.Top - (box.Top - static_cast<long long>(extent.cy) - box.Bottom) / 2);
  if (!text.empty()) dc.TextOut(fitted.X, fitted.Y, text);
  dc.SetTextColor(previousColour);
  dc.SelectFont(fit->Previous);
  return fitted;
}
