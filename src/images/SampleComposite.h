#pragma once

#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "images/CellItem.h"
#include "images/ImageAdjustments.h"
#include "images/PictureProblem.h"

class ImageCache;
class Montage;
class PortraitImage;
class PreviewSettings;

// Makes the preview's cell items for one redraw: the sample picture cut to the layout's crop
// proportions and turned as the preview wants it, with a made-up name per cell, in the layout's
// sort order. The sample picture and its orientation come from the preview settings given,
// which the command line fills with the built-in defaults rather than the user's own.
//
// Within one redraw a sample that cannot be read is tried once and kept as the redraw's
// problem, and cells whose portraits carry equal adjustments share one cut picture.
class SampleComposite {
 public:
  SampleComposite(const Montage& layout, const PreviewSettings& settings, ImageCache& cache);

  // Appends one item per portrait that could be made (and one for the main portrait when the
  // layout's main image is an ordinary cell) and sorts them; fills mainItem for a main image
  // drawn on its own.
  void BuildCellItems(const std::vector<std::shared_ptr<PortraitImage>>& portraits,
                      const std::shared_ptr<PortraitImage>& mainPortrait,
                      std::vector<CellItem>& items, CellItem& mainItem, bool greyscale);
  // Fills item for one portrait; false, with item untouched, when the sample cannot be read.
  bool MakeSampleCellItem(const PortraitImage& portrait, CellItem& item, bool greyscale);
  // The sample that could not be read, with the text the user is told; nothing while the
  // sample could be read.
  const std::optional<PictureProblem>& Problem() const { return problem_; }

 private:
  using Cut =
      std::tuple<ImageAdjustments, bool, std::shared_ptr<const ZodarEdo::DeviceIndepBitmap>>;

  std::shared_ptr<const ZodarEdo::DeviceIndepBitmap> CutPicture(const ImageAdjustments& adjustments,
                                                                bool greyscale);

  const Montage& layout_;
  const PreviewSettings& settings_;
  ImageCache& cache_;
  std::vector<Cut> cuts_;
  std::optional<PictureProblem> problem_;
};
