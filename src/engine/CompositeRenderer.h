#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/CompositePlan.h"
#include "engine/DrawnText.h"
#include "images/CellItem.h"
#include "images/PictureProblem.h"

class CompositeSubjects;
class ImageCache;
class Montage;
class PreviewSettings;
struct RenderContext;

// What one composite shows: the sorted small cell items, the main item when the main image is
// drawn on its own (its picture is empty otherwise), the plan of where everything goes and,
// once drawn, every name and caption line at the size it was fitted to, in drawing order, and
// the pictures that could not be drawn: a class's, or the sample, without which no cell is made.
// Images counts the images shown, the main image included, once subjects left out for want of
// a picture are gone; below 3 nothing is laid out.
struct CompositeContent {
  std::vector<CellItem> Items;
  CellItem MainItem;
  std::size_t Images = 0;
  std::optional<CompositePlan> Plan;  // absent when nothing is laid out
  std::vector<DrawnText> Texts;
  std::vector<PictureProblem> Problems;
};

// Makes the cell items of the subjects and plans them on the page. Fewer than three images lay
// out nothing, counted after the settings' missing-pictures policy has left subjects out, nor do
// subjects of which no cell item could be made. pixelsPerUnit is the output's pixels per layout
// unit, which tells how large a class's pictures must stay (0 when unknown).
CompositeContent PrepareComposite(const Montage& layout, const PreviewSettings& settings,
                                  ImageCache& cache, const Rect& page,
                                  const CompositeSubjects& subjects, bool greyscale,
                                  double pixelsPerUnit = 0);

// Told while a composite is drawn that no later drawing is meant to reach above a logical y
// coordinate (of the device context): the rows above it are finished. Drawings that reach
// outside their place, as text too large for its box does, are for the surface to notice.
using FinishedAbove = std::function<void(int logicalY)>;

// Draws the whole composite on the page rectangle (layout units): the outer margin, the
// background, then every placement of the plan in reading order, saying after each placement
// how far down the page is finished when asked to. Returns what it laid out, so that a caller
// can report exactly what was drawn.
CompositeContent DrawComposite(const RenderContext& context, const Rect& page,
                               const CompositeSubjects& subjects, bool greyscale,
                               const FinishedAbove& finished = {});

// Fills the rectangle with the layout's background colour or covers it with the background
// picture cropped to its proportions; a picture that cannot be had draws nothing.
void DrawBackground(const RenderContext& context, const Rect& rect, const std::string& path);
