#include "engine/CompositeRenderer.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/CaptionDrawing.h"
#include "engine/CellDrawing.h"
#include "engine/DisplayConverter.h"
#include "engine/FrameDrawing.h"
#include "engine/RenderContext.h"
#include "images/ClassComposite.h"
#include "images/CompositeSubjects.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageCache.h"
#include "images/PortraitImage.h"
#include "layout/ColourText.h"
#include "layout/Montage.h"
#include "platform/DeviceContext.h"
#include "settings/PreviewSettings.h"

namespace {

constexpr int kBackgroundPicture = 1;
constexpr int kBackgroundColour = 2;

// The picture drawn for the background: the part of the decoded picture of the area's
// proportion, drawn straight from the cached pixels so that the cached picture stays whole for
// the next drawing, whatever proportion that one needs.
void DrawBackgroundPicture(const RenderContext& context, const Rect& rect,
                           const std::string& path) {
  ImageError error;
  const ImageCache::Picture picture = context.Cache.Get(path, error);
  if (!picture || error.Failed() || !picture->HasPixels()) return;
  const ZodarEdo::PictureSize size = picture->GetSize();
  const double areaHeight = static_cast<double>(rect.Height()) + 3.0;
  const double areaWidth = static_cast<double>(rect.Width()) + 3.0;
  const auto box = ZodarEdo::RatioCropBox(size.Width, size.Height, areaHeight, areaWidth, 0, 0, 0);
  if (!box || box->Left < 0 || box->Top < 0 || box->Right > size.Width ||
      box->Bottom > size.Height || box->Left >= box->Right || box->Top >= box->Bottom) {
    return;
  }
  const int cropWidth = static_cast<int>(box->Right - box->Left);
  const int cropHeight = static_cast<int>(box->Bottom - box->Top);
  const ZodarEdo::PictureSize fitted = ZodarEdo::FitInside(
      cropWidth, cropHeight, static_cast<int>(areaWidth), static_cast<int>(areaHeight));
  if (fitted.Width <= 0 || fitted.Height <= 0) return;
  const DisplayConverter& converter = context.Converter;
  picture->DrawPartStretched(context.Dc, converter.MapX(rect.Left), converter.MapY(rect.Top),
                             converter.MapLength(fitted.Width), converter.MapLength(-fitted.Height),
                             static_cast<int>(box->Left), static_cast<int>(box->Top),
                             static_cast<int>(box->Right), static_cast<int>(box->Bottom),
                             RasterOp::SrcCopy);
}

// A small cell's size in output pixels when images are planned on the page; 0 x 0 when the
// output's resolution is not known.
ZodarEdo::PictureSize CellPixels(const Montage& layout, const PreviewSettings& settings,
                                 const Rect& page, std::size_t images, double pixelsPerUnit) {
  if (pixelsPerUnit <= 0 || images == 0) return {};
  // Every cell of a class has the same shape whether or not its picture can be had, so the
  // grid, and with it how large the pictures must stay, is known before any is loaded.
  const ZodarEdo::PictureSize shape = ClassComposite::CellShape(layout, settings);
  const std::size_t small = layout.MainImageMultiple < 2 ? images : images - 1;
  const CompositePlan plan(layout, page, static_cast<std::uint32_t>(small),
                           !(shape.Height < shape.Width));
  const auto pixels = [pixelsPerUnit](double length) {
    return static_cast<int>(std::clamp(std::ceil(length * pixelsPerUnit), 0.0, 1e9));
  };
  return {pixels(plan.Grid().CellWidth), pixels(plan.Grid().CellHeight)};
}

}  // namespace

CompositeContent PrepareComposite(const Montage& layout, const PreviewSettings& settings,
                                  ImageCache& cache, const Rect& page,
                                  const CompositeSubjects& subjects, bool greyscale,
                                  double pixelsPerUnit) {
  CompositeContent content;
  content.Images = subjects.ImageCount();
  if (content.Images < 3) return content;
  const bool sized = subjects.Class() != nullptr && pixelsPerUnit > 0;
  const std::size_t expected = subjects.ExpectedImageCount(layout, settings);
  ZodarEdo::PictureSize cellPixels =
      sized ? CellPixels(layout, settings, page, expected, pixelsPerUnit) : ZodarEdo::PictureSize{};
  for (bool first = true;; first = false) {
    content = {};
    const std::size_t omitted =
        subjects.BuildCellItems(layout, settings, cache, cellPixels, content.Items,
                                content.MainItem, greyscale, content.Problems);
    content.Images = subjects.ImageCount() - omitted;
    if (!first || !sized || content.Images == expected || content.Images < 3) break;
    // Subjects whose pictures turned out not to decode were left out, and the cells of those
    // that remain may have grown beyond what their pictures were decoded for: the class is made
    // once more for its cells, which decodes again only the pictures that must be finer.
    const ZodarEdo::PictureSize grown =
        CellPixels(layout, settings, page, content.Images, pixelsPerUnit);
    if (grown.Width <= cellPixels.Width && grown.Height <= cellPixels.Height) break;
    cellPixels = grown;
  }
  if (content.Images < 3) {
    // As for a group that had fewer images to begin with, nothing is laid out; the pictures it
    // lacks are still reported.
    content.Items.clear();
    content.MainItem = {};
    return content;
  }
  if (content.Items.empty()) return content;
  const ZodarEdo::PictureSize first = FramedSize(content.Items.front());
  content.Plan.emplace(layout, page, static_cast<std::uint32_t>(content.Items.size()),
                       !(first.Height < first.Width));
  return content;
}

CompositeContent DrawComposite(const RenderContext& context, const Rect& page,
                               const CompositeSubjects& subjects, bool greyscale,
                               const FinishedAbove& finished) {
  DeviceContext& dc = context.Dc;
  const Montage& layout = context.Layout;
  dc.SetBkMode(BackgroundMode::Transparent);
  dc.SetStretchBltMode(StretchMode::ColourOnColour);
  if (subjects.ImageCount() < 3) return {};

  // The items are made before anything is drawn: leaving out subjects without pictures may
  // bring the composite below three images, which leaves the page blank. Logical units are
  // tenths of a millimetre on the surface.
  const double pixelsPerUnit = context.Converter.Scale * dc.DpiX() / 254.0;
  CompositeContent content = PrepareComposite(layout, context.Settings, context.Cache, page,
                                              subjects, greyscale, pixelsPerUnit);
  if (content.Images < 3) return content;

  // The logo lookup is asked on behalf of the event of the main subject; a class has no event
  // of the record store.
  const PhotoEvent* event = subjects.Main() ? subjects.Main()->Event : nullptr;

  const bool overwrite = layout.BackgroundType != 0 && layout.BackgroundOverwrite;
  if (!overwrite) {
    DrawFrame(dc, context.Converter, page, layout.OuterMargin,
              ParseColour(layout.OuterMarginColour), layout.OuterMargin3d);
  }
  if (layout.BackgroundType != 0) {
    DrawBackground(context, overwrite ? page : CompositePlan::InnerAreaOf(layout, page),
                   context.Settings.BackgroundImage);
  }
  if (!content.Plan) return content;
  const CompositePlan& plan = *content.Plan;
  const auto keep = [&content](std::vector<DrawnText>&& texts) {
    for (DrawnText& text : texts) content.Texts.push_back(std::move(text));
  };
  const std::vector<Placement>& placements = plan.Placements();
  // The highest top of the placements from each one on, in layout units (y down).
  std::vector<int> highestFrom(placements.size() + 1, INT_MAX);
  for (std::size_t i = placements.size(); i-- > 0;) {
    const Rect& box = placements[i].Box;
    highestFrom[i] = std::min({highestFrom[i + 1], box.Top, box.Bottom});
  }
  for (std::size_t i = 0; i < placements.size(); ++i) {
    const Placement& placement = placements[i];
    switch (placement.Kind) {
      case PlacementKind::SmallImage:
        keep(DrawCell(context, plan.Grid(), content.Items[placement.Item], placement));
        break;
      case PlacementKind::MainImage:
        if (content.MainItem.HasCell()) {
          keep(DrawCell(context, plan.Grid(), content.MainItem, placement));
        }
        break;
      case PlacementKind::Captions:
        keep(DrawCaptions(context, placement.Box, plan.ImageMargin(), event).Lines);
        break;
    }
    if (finished && i + 1 < placements.size()) {
      finished(context.Converter.MapY(highestFrom[i + 1]));
    }
  }
  return content;
}

void DrawBackground(const RenderContext& context, const Rect& rect, const std::string& path) {
  // An area that the outer margin has eaten has nothing to cover.
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  if (context.Layout.BackgroundType == kBackgroundColour) {
    const Rect mapped = context.Converter.MapRect(rect);
    context.Dc.FillSolidRect(mapped.Left, mapped.Top, mapped.Right, mapped.Bottom,
                             ParseColour(context.Layout.BackgroundColour));
  } else if (context.Layout.BackgroundType == kBackgroundPicture) {
    DrawBackgroundPicture(context, rect, path);
  }
}
