#pragma once

#include "platform/ColourRef.h"
#include "platform/Rect.h"

class DeviceContext;
class DisplayConverter;

// The tones of the placeholder portrait of a subject whose picture cannot be had: a light neutral
// grey behind a lighter head-and-shoulders figure, plain to see on a proof and light on ink.
inline constexpr ColourRef PlaceholderBackdrop = MakeColourRef(214, 214, 214);
inline constexpr ColourRef PlaceholderFigure = MakeColourRef(244, 244, 244);

// Fills the picture rectangle (layout units) with the backdrop and draws on it a figure standing
// on the rectangle's bottom edge: an oval head over a neck and rounded shoulders, in the
// proportions of a portrait of the crop the cells use, centred in a wider rectangle. The figure
// is made of polygons at the surface's own resolution, so it stays crisp at any size.
void DrawPlaceholder(DeviceContext& dc, const DisplayConverter& converter, const Rect& picture);
