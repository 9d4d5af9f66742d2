#pragma once

#include <cstdint>

#include "records/Archivable.h"

// The corrections that belong to one photograph: its rotation, colour balance, hue, saturation
// and brightness shifts, contrast and lightness, and how it is cut into a layout cell (zoom and
// shift). The image cache applies them whenever it hands out an adjusted picture; the crop part
// is applied when a cell's picture is cut to the cell's proportions.
class ImageAdjustments : public Archivable {
 public:
  ImageAdjustments() = default;
  explicit ImageAdjustments(std::int32_t quarterTurns) : QuarterTurns(quarterTurns) {}

  // Every field in declaration order: integers as archive integers, flags as archive flags.
  // The record store's own form of adjustments is not used by this program; this form exists so
  // that an image record can still be written and read back whole.
  Archive& WriteArchive(Archive& archive) const override;
  Archive& ReadArchive(Archive& archive) override;

  friend bool operator==(const ImageAdjustments& a, const ImageAdjustments& b);

  std::int32_t QuarterTurns = 0;  // wanted rotation, quarter turns clockwise, 0 to 3
  std::int16_t Lightness = 0;
  std::int16_t Red = 0;
  std::int16_t Green = 0;
  std::int16_t Blue = 0;
  bool BalancedColour = true;
  std::int16_t Contrast = 0;
  std::int16_t Hue = 0;
  std::int16_t Saturation = 0;
  std::int16_t Brightness = 0;
  std::int16_t VerticalShift = 0;    // percent of the picture's height, positive downwards
  std::int16_t HorizontalShift = 0;  // percent of the picture's width, positive to the right
  std::int16_t Zoom = 0;             // percent
  bool UseExifOrientation = false;
};
