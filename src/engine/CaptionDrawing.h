#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/DrawnText.h"
#include "images/CropGeometry.h"
#include "images/ImageCache.h"
#include "platform/Rect.h"

class Montage;
class PhotoEvent;
class PreviewSettings;
struct RenderContext;

// The most caption lines a layout can draw: one per caption font.
inline constexpr std::size_t MaxCaptionLines = 4;

enum class LogoSide { Left, Right };

// The logo for one side of an event's captions. This program has one sample logo for every
// event and side: the preview's logo picture, when its path names something that exists and the
// cache can read it with pixels.
ImageCache::Picture FindLogo(const PreviewSettings& settings, ImageCache& cache,
                             const PhotoEvent* event, LogoSide side);

// One logo of a caption block in layout units, and whether it shows the right-hand picture.
struct LogoPlacement {
  Rect Box;
  bool RightImage = false;
};

// Where the parts of a caption block go, in layout units: the text of each line and its box,
// the slot each logo takes and where each logo is drawn.
struct CaptionPlan {
  std::vector<std::string> Texts;
  std::vector<Rect> Lines;
  int LogoSlot = 0;
  Rect TextArea;
  std::vector<LogoPlacement> Logos;
};

// The caption texts the layout draws: the preview's sample lines up to the layout's number of
// lines (at most four), the first left empty for a single logo on top, trailing empty lines
// dropped but at least one kept.
std::vector<std::string> CaptionTexts(const Montage& layout, const PreviewSettings& settings);

// The heights of the lines: each line's share of the block height is its font's point size
// over the sum of the point sizes of the lines drawn.
std::vector<int> CaptionLineHeights(const Montage& layout, std::size_t lines, int blockHeight);

// The width of each logo's slot beside the captions: a tenth of the block for two logos, a
// fifth for a single logo beside the text, nothing for a single logo on top.
int LogoSlotWidth(const Montage& layout, int blockWidth);

// Plans the caption block; the logo sizes are those of the logo pictures, absent when there is
// no logo to draw (which leaves the text the whole width).
CaptionPlan PlanCaptions(const Montage& layout, const PreviewSettings& settings, const Rect& block,
                         int margin, std::optional<ZodarEdo::PictureSize> leftLogo,
                         std::optional<ZodarEdo::PictureSize> rightLogo);

// A caption block as drawn: its plan and every line with text at the size it was fitted to.
struct DrawnCaptions {
  CaptionPlan Plan;
  std::vector<DrawnText> Lines;
};

// Draws the caption block: the logos the layout asks for, colour-keyed at its tolerance, then
// every line with text at its fitted size.
DrawnCaptions DrawCaptions(const RenderContext& context, const Rect& block, int margin,
                           const PhotoEvent* event);
