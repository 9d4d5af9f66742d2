#pragma once

#include <cstdint>

#include "platform/ColourRef.h"
#include "platform/Rect.h"

class DeviceContext;
class DisplayConverter;
class Montage;

// The colours of a frame's four bands. A shaded (3D) frame is darkest at the top, in the chosen
// colour, and lighter on the left, the right and the bottom in that order.
struct FrameColours {
  ColourRef Top = 0;
  ColourRef Left = 0;
  ColourRef Right = 0;
  ColourRef Bottom = 0;
};

// Each of red, green and blue multiplied by factor, truncated and held at 255.
ColourRef LightenColour(ColourRef colour, double factor);
FrameColours ShadeFrame(ColourRef colour, bool shaded);

// Draws a frame band width layout units wide (plus 3, so that neighbouring bands overlap) inside
// the layout rectangle, as four quadrilaterals.
void DrawFrame(DeviceContext& dc, const DisplayConverter& converter, const Rect& rect,
               std::uint32_t width, ColourRef colour, bool shaded);

// The grey of a drop shadow of the layout's depth: 0 white, 10 mid grey, 20 black.
ColourRef ShadowColour(std::uint32_t depth);

// Draws the side and bottom strips of the drop shadow of a framed image whose outer frame
// rectangle is frame, shadowWidth layout units wide, on the side the layout asks.
void DrawDropShadow(DeviceContext& dc, const DisplayConverter& converter, const Montage& layout,
                    const Rect& frame, int shadowWidth);
