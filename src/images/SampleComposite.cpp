#include "images/SampleComposite.h"

#include <algorithm>
#include <string>

#include "images/DeviceIndepBitmap.h"
#include "images/ImageCache.h"
#include "images/PortraitImage.h"
#include "layout/Montage.h"
#include "roster/ProperCaseName.h"
#include "roster/SampleNames.h"
#include "settings/PreviewSettings.h"

namespace {

constexpr char kUnreadableSample[] = "Could not read the sample image";

std::string ProperCase(std::string_view name) {
  std::string text(name);
  return ProperCaseName(text);
}

}  // namespace

SampleComposite::SampleComposite(const Montage& layout, const PreviewSettings& settings,
                                 ImageCache& cache)
    : layout_(layout), settings_(settings), cache_(cache) {}

void SampleComposite::BuildCellItems(const std::vector<std::shared_ptr<PortraitImage>>& portraits,
                                     const std::shared_ptr<PortraitImage>& mainPortrait,
                                     std::vector<CellItem>& items, CellItem& mainItem,
                                     bool greyscale) {
  // Below 2 the main image is an ordinary cell, the first one before sorting.
  const bool mainIsCell = layout_.MainImageMultiple < 2;
  if (mainIsCell && mainPortrait && MakeSampleCellItem(*mainPortrait, mainItem, greyscale)) {
    items.push_back(mainItem);
  }
  for (const auto& portrait : portraits) {
    CellItem item;
    if (portrait && MakeSampleCellItem(*portrait, item, greyscale)) items.push_back(item);
  }
  if (!mainIsCell && mainPortrait) MakeSampleCellItem(*mainPortrait, mainItem, greyscale);
  SortCellItems(items, layout_.SortFirstName);
}

bool SampleComposite::MakeSampleCellItem(const PortraitImage& portrait, CellItem& item,
                                         bool greyscale) {
  auto picture = CutPicture(portrait.Adjustments, greyscale);
  if (!picture) return false;
  CellItem made{std::move(picture), "", "", {}};
  if (layout_.PrintNames) {
    const SampleName& name = SampleNames::Next();
    made.FirstName = ProperCase(name.First);
    made.LastName = ProperCase(name.Last);
  }
  item = std::move(made);
  return true;
}

std::shared_ptr<const ZodarEdo::DeviceIndepBitmap> SampleComposite::CutPicture(
    const ImageAdjustments& adjustments, bool greyscale) {
  // A sample that could not be read once in this redraw is not tried again, which would repeat
  // the cache's retries for every cell.
  if (problem_) return nullptr;
  for (const auto& [cutAdjustments, cutGreyscale, cut] : cuts_) {
    if (cutGreyscale == greyscale && cutAdjustments == adjustments) return cut;
  }

  ImageError error;
  const auto picture = cache_.GetAdjusted(settings_.SampleImagePath, error, adjustments);
  if (!picture || error.Failed()) {
    problem_ = PictureProblem{settings_.SampleImagePath, kUnreadableSample};
    return nullptr;
  }
  // The cell's picture is a copy of its own: the cache's picture is not changed from here on.
  // A step that fails leaves the copy as it was, and the cell still shows it.
  auto copy = std::make_shared<ZodarEdo::DeviceIndepBitmap>();
  copy->Assign(*picture);
  // Only the proportion of the crop sides counts, and the cut's longer side follows the
  // sample's. Cutting before the grey conversion gives the same pixels, since that conversion
  // works on each pixel alone, and converts far fewer of them.
  copy->CropToRatio(layout_.CropHeight, layout_.CropWidth, adjustments.Zoom,
                    adjustments.VerticalShift, adjustments.HorizontalShift);
  if (greyscale) copy->MakeGreyscale();
  // The cell picture ends portrait-shaped for portrait samples and landscape-shaped otherwise.
  if (settings_.SamplePortrait && copy->IsLandscape()) {
    copy->RotateBy(3);
  } else if (!settings_.SamplePortrait && !copy->IsLandscape()) {
    copy->RotateBy(1);
  }
  cuts_.emplace_back(adjustments, greyscale, copy);
  return copy;
}
