#pragma once

#include <string>
#include <vector>

#include "engine/DrawnText.h"

class CompositeGrid;
struct CellItem;
struct RenderContext;

// A name part as it is printed: without the decimal digits it may start with, which order
// names in the companion product ("12Anne" prints as "Anne").
std::string PrintedNamePart(const std::string& part);

// Draws the name of one cell in the band between the framed picture and the bottom of the
// cell: one line, or the two parts on two lines, one text height apart. span is 1 for a small
// image and the main image's multiple for the main image; the band is given in layout units by
// the outer frame's sides and bottom (widened by the shadow) and the frame's top. Returns the
// lines drawn with their fitted sizes, positions in logical units.
std::vector<DrawnText> DrawNames(const RenderContext& context, const CompositeGrid& grid,
                                 const CellItem& item, int span, int nameLeft, int nameRight,
                                 int nameTop, int frameTop);
