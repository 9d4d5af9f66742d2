#include "engine/FittedText.h"

#include <algorithm>
#include <vector>

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

// Every size the fit may try, from the first down to the minimum. Every step lowers the size by
// at least one until the minimum, so there are a few hundred at most even from the largest size
// a layout file can hold.
std::vector<std::uint32_t> FitSizes(std::uint32_t first) {
  std::vector<std::uint32_t> sizes{first};
  while (sizes.back() > MinimumFitSize) sizes.push_back(NextFitSize(sizes.back()));
  return sizes;
}

// The first step at which text of the measured extent would fit if its extent shrank in
// proportion to the size, as it nearly does; never the first step, which was measured.
std::size_t PredictedStep(const std::vector<std::uint32_t>& sizes, const LogicalSize& extent,
                          int width, int height) {
  double scale = 1.0;
  if (extent.cx > 0) scale = std::min(scale, static_cast<double>(width) / extent.cx);
  if (extent.cy > 0) scale = std::min(scale, static_cast<double>(height) / extent.cy);
  const double wanted = scale * sizes.front();
  std::size_t step = 1;
  while (step + 1 < sizes.size() && sizes[step] > wanted) ++step;
  return step;
}

// Finds the size the plain walk down the sizes would stop at (the first that fits, or the
// minimum) while making far fewer fonts: each new size makes the text system build and match a
// font of its own, which was most of the time of drawing a composite. The text is measured at
// the first size, then at the step where a proportionally shrunk text would first fit, and at
// the step before it; a wrong prediction walks on from there. This relies on a text that fits
// at one size also fitting at every smaller one: sizes map to pixel sizes in order, and the
// unhinted advances and line heights the surface measures do not grow as the pixel size falls.
std::optional<Fit> FitSelecting(DeviceContext& dc, const DisplayConverter& converter,
                                const std::string& text, int width, int height,
                                const FontDetails& font) {
  if (height < kMinimumBoxHeight || width < kMinimumBoxWidth) return std::nullopt;
  const std::vector<std::uint32_t> sizes = FitSizes(std::max(font.FontPoint, MinimumFitSize));
  Fit fit;
  fit.Previous = dc.SelectFont(converter.CreateFont(dc, font, sizes.front()));
  std::size_t selected = 0;
  const auto select = [&](std::size_t step) {
    if (step == selected) return;
    dc.SelectFont(converter.CreateFont(dc, font, sizes[step]));
    selected = step;
  };
  enum class Known : std::uint8_t { Unmeasured, Fits, TooLarge };
  std::vector<Known> known(sizes.size(), Known::Unmeasured);
  const auto fits = [&](std::size_t step) {
    if (known[step] == Known::Unmeasured) {
      select(step);
      const LogicalSize extent = dc.GetTextExtentPoint32(text);
      known[step] = extent.cx <= width && extent.cy <= height ? Known::Fits : Known::TooLarge;
    }
    return known[step] == Known::Fits;
  };

  const LogicalSize first = dc.GetTextExtentPoint32(text);
  known[0] = first.cx <= width && first.cy <= height ? Known::Fits : Known::TooLarge;
  std::size_t step = 0;
  if (known[0] == Known::TooLarge && sizes.size() > 1) {
    step = PredictedStep(sizes, first, width, height);
    if (fits(step)) {
      while (fits(step - 1)) --step;  // ends at the latest at the first step, which does not fit
    } else {
      while (step + 1 < sizes.size() && !fits(step)) ++step;
    }
  }
  select(step);
  fit.Size = sizes[step];
  return fit;
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
