#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Rect.h"

class DeviceContext;
class DisplayConverter;
class FontDetails;

// A text drawn at the size that fits its box: the point size chosen (tenths of a point) and,
// in logical units, the text's measured extent and where its top-left corner went.
struct FittedText {
  std::uint32_t PointTenths = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// The smallest size text is ever drawn at, in tenths of a point.
inline constexpr std::uint32_t MinimumFitSize = 5;

// The next size tried when a text does not fit: 95 % of this one, truncated, never below the
// minimum.
std::uint32_t NextFitSize(std::uint32_t size);

// Chooses the largest size, from the font's own point size down in steps of 5 %, at which the
// text fits a box of width by height logical units, and leaves the surface's font set to it.
// Nothing is chosen, and the surface is left alone, for a box lower than 5 or narrower than 20
// units. Stops at the minimum size even if the text still does not fit there.
std::optional<std::uint32_t> FitText(DeviceContext& dc, const DisplayConverter& converter,
                                     const std::string& text, int width, int height,
                                     const FontDetails& font);

// Draws the text centred in a box of logical units (top above bottom) at its fitted size and in
// the font's colour, then restores the surface's font and text colour. An empty text is fitted
// but not drawn. Nothing is drawn, and nothing returned, when the box is too small to fit in.
std::optional<FittedText> DrawFittedText(DeviceContext& dc, const DisplayConverter& converter,
                                         const std::string& text, const Rect& box,
                                         const FontDetails& font);
