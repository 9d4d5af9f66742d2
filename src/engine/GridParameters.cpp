#include "engine/GridParameters.h"

#include <algorithm>

#include "layout/Montage.h"

GridParameters::GridParameters(const Montage& layout)
    : mainMultiple_(std::clamp<std::uint32_t>(layout.MainImageMultiple, 1, MaxBlockSpan)),
      hasCaptions_(layout.NumCaptionLines != 0),
      captionCols_(std::min(layout.CaptionCols, MaxBlockSpan)),
      captionRows_(std::min(layout.CaptionRows, MaxBlockSpan)),
      mainPosition_(layout.MainImagePosition),
      captionPosition_(layout.CaptionPosition),
      cropHeight_(std::max<std::uint32_t>(layout.CropHeight, 1)),
      cropWidth_(std::max<std::uint32_t>(layout.CropWidth, 1)),
      marginPercent_(std::min<std::uint32_t>(layout.ImageMargin, 50)) {}

double GridParameters::Proportion(bool notLandscape) const {
  const double height = cropHeight_;
  const double width = cropWidth_;
  if (notLandscape && cropHeight_ > cropWidth_) return height / width;
  return width / height;
}

std::uint64_t GridParameters::CellsNeeded(std::uint32_t count) const {
  std::uint64_t cells = count;
  if (HasMain()) cells += std::uint64_t{mainMultiple_} * mainMultiple_;
  if (hasCaptions_) cells += std::uint64_t{captionCols_} * captionRows_;
  return cells;
}

std::uint64_t GridParameters::CellsNeeded(std::uint32_t count, std::uint32_t cols) const {
  std::uint64_t cells = CellsNeeded(count);
  if (MainCentred() && HasMain() && cols % 2 != mainMultiple_ % 2) cells += mainMultiple_;
  if (CaptionCentred() && hasCaptions_ && cols % 2 != captionCols_ % 2) cells += captionRows_;
  return cells;
}
