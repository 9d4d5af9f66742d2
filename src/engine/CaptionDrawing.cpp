#include "engine/CaptionDrawing.h"

#include <algorithm>
#include <climits>
#include <numeric>

#include "engine/DisplayConverter.h"
#include "engine/FittedText.h"
#include "engine/RenderContext.h"
#include "engine/Truncate.h"
#include "images/DeviceIndepBitmap.h"
#include "layout/Montage.h"
#include "platform/FileStamp.h"
#include "settings/PreviewSettings.h"

namespace {

bool SingleLogoOnTop(const Montage& layout) { return layout.SingleLogo && layout.LogoTop; }

// Where a logo of the given size goes in its box, whose top is the block's top and whose left
// edge the caller decides; absent when the box or the fitted logo has no area.
std::optional<Rect> FitLogo(const ZodarEdo::PictureSize& logo, const Rect& box, int left) {
  if (box.Width() <= 0 || box.Height() <= 0) return std::nullopt;
  const ZodarEdo::PictureSize fitted =
      ZodarEdo::FitInside(logo.Width, logo.Height, box.Width(), box.Height());
  if (fitted.Width <= 0 || fitted.Height <= 0) return std::nullopt;
  const int top = box.Top + box.Height() / 2 - fitted.Height / 2;
  const int x = left - fitted.Width / 2;
  return Rect{x, top, x + fitted.Width, top + fitted.Height};
}

}  // namespace

ImageCache::Picture FindLogo(const PreviewSettings& settings, ImageCache& cache,
                             const PhotoEvent* /*event*/, LogoSide /*side*/) {
  if (!PathExists(settings.LogoImage)) return nullptr;
  ImageError error;
  auto picture = cache.Get(settings.LogoImage, error);
  if (!picture || error.Failed() || !picture->HasPixels()) return nullptr;
  return picture;
}

std::vector<std::string> CaptionTexts(const Montage& layout, const PreviewSettings& settings) {
  // A layout file may ask for more lines than there are caption fonts; a line without a font
  // has no size or colour to be drawn in, so the lines stop at four.
  const std::size_t count = std::min<std::size_t>(layout.NumCaptionLines, MaxCaptionLines);
  std::vector<std::string> texts(settings.SampleCaptionText.begin(),
                                 settings.SampleCaptionText.begin() + count);
  if (SingleLogoOnTop(layout) && !texts.empty()) texts[0].clear();
  while (texts.size() > 1 && texts.back().empty()) texts.pop_back();
  return texts;
}

std::vector<int> CaptionLineHeights(const Montage& layout, std::size_t lines, int blockHeight) {
  lines = std::min(lines, MaxCaptionLines);
  double total = 0.0;
  for (std::size_t i = 0; i < lines; ++i) total += layout.CaptionFonts[i].FontPoint;
  std::vector<int> heights;
  for (std::size_t i = 0; i < lines; ++i) {
    // Fonts of no size at all give no proportion to share by; the lines then share equally.
    const double share =
        total > 0.0 ? layout.CaptionFonts[i].FontPoint / total : 1.0 / static_cast<double>(lines);
    heights.push_back(TruncToInt(share * blockHeight));
  }
  return heights;
}

int LogoSlotWidth(const Montage& layout, int blockWidth) {
  const int tenth = blockWidth / 10;
  if (!layout.SingleLogo) return tenth;
  return layout.LogoTop ? 0 : 2 * tenth;
}

CaptionPlan PlanCaptions(const Montage& layout, const PreviewSettings& settings, const Rect& block,
                         int margin, std::optional<ZodarEdo::PictureSize> leftLogo,
                         std::optional<ZodarEdo::PictureSize> rightLogo) {
  CaptionPlan plan;
  plan.Texts = CaptionTexts(layout, settings);
  plan.LogoSlot = LogoSlotWidth(layout, block.Width());
  plan.TextArea = block;
  // Without a left logo picture there is no logo at all, and the text keeps the whole width.
  if (!leftLogo) rightLogo.reset();
  if (!rightLogo) rightLogo = leftLogo;

  const int lw = plan.LogoSlot;
  const int narrowing = SaturateToInt(static_cast<long long>(lw) + margin);
  if (leftLogo) {
    if (!layout.SingleLogo) {
      plan.TextArea.Left = SaturateToInt(static_cast<long long>(block.Left) + narrowing);
      plan.TextArea.Right = SaturateToInt(static_cast<long long>(block.Right) - narrowing);
    } else if (layout.LogoLeft) {
      plan.TextArea.Left = SaturateToInt(static_cast<long long>(block.Left) + narrowing);
    } else {
      plan.TextArea.Right = SaturateToInt(static_cast<long long>(block.Right) - narrowing);
    }
  }

  int top = block.Top;
  for (int height : CaptionLineHeights(layout, plan.Texts.size(), block.Height())) {
    const int bottom = SaturateToInt(static_cast<long long>(top) + height);
    plan.Lines.push_back(Rect{plan.TextArea.Left, top, plan.TextArea.Right, bottom});
    top = bottom;
  }
  if (!leftLogo) return plan;

  const bool onTop = SingleLogoOnTop(layout);
  const Rect slotBox{0, block.Top, lw, block.Bottom};
  const Rect& firstLine = plan.Lines.front();
  const Rect logoBox = onTop ? firstLine : slotBox;
  const auto place = [&](const ZodarEdo::PictureSize& size, int centre, bool rightImage) {
    if (auto box = FitLogo(size, Rect{0, block.Top, logoBox.Width(), block.Top + logoBox.Height()},
                           centre)) {
      plan.Logos.push_back({*box, rightImage});
    }
  };
  const int leftCentre = block.Left + lw / 2;
  const int rightCentre = block.Right - lw + lw / 2;
  if (!layout.SingleLogo) {
    place(*leftLogo, leftCentre, false);
    place(*rightLogo, rightCentre, true);
    return plan;
  }
  if (layout.LogoLeft) place(*leftLogo, leftCentre, false);
  if (!layout.LogoLeft && !layout.LogoTop) place(*leftLogo, rightCentre, false);
  if (onTop) place(*leftLogo, firstLine.Left + firstLine.Width() / 2, false);
  return plan;
}

DrawnCaptions DrawCaptions(const RenderContext& context, const Rect& block, int margin,
                           const PhotoEvent* event) {
  const Montage& layout = context.Layout;
  ImageCache::Picture left;
  ImageCache::Picture right;
  if (layout.PrintLogo) {
    left = FindLogo(context.Settings, context.Cache, event, LogoSide::Left);
    right = FindLogo(context.Settings, context.Cache, event, LogoSide::Right);
    if (!right) right = left;
  }
  std::optional<ZodarEdo::PictureSize> leftSize;
  std::optional<ZodarEdo::PictureSize> rightSize;
  if (left) leftSize = left->GetSize();
  if (right) rightSize = right->GetSize();
  DrawnCaptions drawn{PlanCaptions(layout, context.Settings, block, margin, leftSize, rightSize),
                      {}};
  const CaptionPlan& plan = drawn.Plan;

  const DisplayConverter& converter = context.Converter;
  const int tolerance = static_cast<int>(std::min<std::uint32_t>(
      layout.LogoTransparencyTolerance, static_cast<std::uint32_t>(INT_MAX)));
  for (const LogoPlacement& logo : plan.Logos) {
    ZodarEdo::DeviceIndepBitmap& picture = logo.RightImage ? *right : *left;
    picture.DrawColourKeyed(context.Dc, converter.MapX(logo.Box.Left), converter.MapY(logo.Box.Top),
                            converter.MapLength(logo.Box.Width()),
                            converter.MapLength(-static_cast<double>(logo.Box.Height())),
                            tolerance);
  }
  for (std::size_t i = 0; i < plan.Texts.size(); ++i) {
    if (plan.Texts[i].empty()) continue;
    if (auto line = DrawFittedText(context.Dc, converter, plan.Texts[i],
                                   converter.MapRect(plan.Lines[i]), layout.CaptionFonts[i])) {
      drawn.Lines.push_back({TextRole::Caption, i, plan.Texts[i], *line});
    }
  }
  return drawn;
}
