#include "engine/FrameDrawing.h"

#include <algorithm>
#include <array>

#include "engine/DisplayConverter.h"
#include "engine/Truncate.h"
#include "layout/Montage.h"
#include "platform/DeviceContext.h"

namespace {

unsigned LightenChannel(unsigned channel, double factor) {
  const double lightened = channel * factor;
  return lightened >= 255.0 ? 255u : static_cast<unsigned>(lightened);
}

// One band, filled and outlined in its colour with pen and brush made for it alone.
void DrawBand(DeviceContext& dc, const std::array<LogicalPoint, 4>& corners, ColourRef colour) {
  dc.SelectPen(Pen{colour});
  dc.SelectBrush(Brush{colour});
  dc.Polygon(corners);
}

}  // namespace

ColourRef LightenColour(ColourRef colour, double factor) {
  return MakeColourRef(LightenChannel(RedOf(colour), factor),
                       LightenChannel(GreenOf(colour), factor),
                       LightenChannel(BlueOf(colour), factor));
}

FrameColours ShadeFrame(ColourRef colour, bool shaded) {
  if (!shaded) return {colour, colour, colour, colour};
  const ColourRef left = LightenColour(colour, 1.2);
  const ColourRef right = LightenColour(left, 1.3);
  const ColourRef bottom = LightenColour(right, 1.2);
  return {colour, left, right, bottom};
}

void DrawFrame(DeviceContext& dc, const DisplayConverter& converter, const Rect& rect,
               std::uint32_t width, ColourRef colour, bool shaded) {
  const Rect mapped = converter.MapRect(rect);
  const int xL = mapped.Left;
  const int xR = mapped.Right;
  const int yT = mapped.Top;
  const int yB = mapped.Bottom;
  if (xR < xL || yT < yB) return;
  // A band thicker than half the rectangle would cross the opposite band and turn the
  // quadrilaterals inside out; held at half, the frame simply fills the rectangle.
  const int half = std::min((xR - xL) / 2, (yT - yB) / 2);
  const int t = std::clamp(converter.MapLength(static_cast<double>(width) + 3.0), 0, half);
  const FrameColours colours = ShadeFrame(colour, shaded);

  const Pen previousPen = dc.SelectPen(Pen{});
  const Brush previousBrush = dc.SelectBrush(Brush{});
  DrawBand(dc, {{{xL, yT}, {xR - 1, yT}, {xR - t, yT - t}, {xL + t, yT - t}}}, colours.Top);
  DrawBand(dc, {{{xR, yT}, {xR, yB + 1}, {xR - t, yB + t}, {xR - t, yT - t}}}, colours.Right);
  DrawBand(dc, {{{xL, yB + 1}, {xR - 1, yB + 1}, {xR - t, yB + t}, {xL + t, yB + t}}},
           colours.Bottom);
  DrawBand(dc, {{{xL, yT}, {xL, yB + 1}, {xL + t, yB + t}, {xL + t, yT - t}}}, colours.Left);
  dc.SelectPen(previousPen);
  dc.SelectBrush(previousBrush);
}

ColourRef ShadowColour(std::uint32_t depth) {
  // Unsigned arithmetic as the layout's contract has it: a depth above 20, which the form never
  // gives, wraps round to some grey rather than failing.
  const std::uint32_t grey = ((20u - depth) * 255u) / 20u;
  return MakeColourRef(grey & 0xFFu, grey & 0xFFu, grey & 0xFFu);
}

void DrawDropShadow(DeviceContext& dc, const DisplayConverter& converter, const Montage& layout,
                    const Rect& frame, int shadowWidth) {
  const long long a = shadowWidth;
  const auto edge = [](long long value) { return SaturateToInt(value); };
  // The strips reach 3 units under the frame so that no gap shows; the frames and the picture
  // drawn afterwards cover the overlap.
  Rect side{0, edge(frame.Top + a), 0, edge(frame.Bottom + a)};
  Rect bottom{0, edge(frame.Bottom - 3LL), 0, edge(frame.Bottom + a)};
  if (layout.DropShadowRight) {
    side.Left = edge(frame.Right - 3LL);
    side.Right = edge(frame.Right + a);
    bottom.Left = edge(frame.Left + a);
    bottom.Right = frame.Right;
  } else {
    side.Left = edge(frame.Left - a);
    side.Right = edge(frame.Left + 3LL);
    bottom.Left = frame.Left;
    bottom.Right = edge(frame.Right - a);
  }
  const ColourRef colour = ShadowColour(layout.DropShadowDepth);
  for (const Rect& strip : {side, bottom}) {
    // A shadow wider than its image would turn the bottom strip inside out, and the surface
    // fills a rectangle whichever way round its corners come; such a strip is left out.
    if (strip.Right < strip.Left || strip.Bottom < strip.Top) continue;
    const Rect mapped = converter.MapRect(strip);
    dc.FillSolidRect(mapped.Left, mapped.Top, mapped.Right, mapped.Bottom, colour);
  }
}
