#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "images/CellItem.h"
#include "images/CropGeometry.h"
#include "images/DecodeTarget.h"
#include "images/PictureProblem.h"

class ClassList;
class ImageCache;
class Montage;
class PreviewSettings;
struct ClassMember;

// Makes the cell items of a class: each member's picture upright by its Exif orientation and
// cut to the layout's crop proportions in the orientation the sample setting gives the cells,
// the names proper-cased as the samples' are, in the layout's sort order. Items keep the names
// even when the layout does not print them (the renderer leaves them out then). A member
// without a picture, or whose picture cannot be had, gets a cell of that shape with no picture,
// which the renderer fills with a placeholder portrait; when the settings ask to omit missing
// pictures such a member gets no cell at all, except the main image drawn on its own, whose
// place in the grid stays whatever it shows.
class ClassComposite {
 public:
  ClassComposite(const Montage& layout, const PreviewSettings& settings, ImageCache& cache);

  // Appends one item per member (the main member among them when the layout's main image is an
  // ordinary cell) and sorts them; fills mainItem for a main image drawn on its own. cellPixels
  // is a small cell's size in output pixels, 0 x 0 when not known (the whole pictures are
  // decoded then). The pictures are decoded together, on every core, before the items are made.
  // Every picture that could not be had is added to problems once. Returns the number of
  // members left out for want of a picture.
  std::size_t BuildCellItems(const ClassList& list, ZodarEdo::PictureSize cellPixels,
                             std::vector<CellItem>& items, CellItem& mainItem, bool greyscale,
                             std::vector<PictureProblem>& problems);

  // The members that will be left out for want of a picture as far as can be told without
  // decoding: under the omit policy, those without a picture or whose file is no readable
  // regular file. A file that is there but cannot be decoded is only found by BuildCellItems.
  static std::size_t KnownOmissions(const ClassList& list, const Montage& layout,
                                    const PreviewSettings& settings);

  // The proportion every cell of the class is framed to, portrait or landscape as the sample
  // setting says; 0 x 0 when the layout's crop sides give none.
  static ZodarEdo::PictureSize CellShape(const Montage& layout, const PreviewSettings& settings);

 private:
  // How large a member's picture must stay to fill a cell of these output pixels once cut.
  DecodeTarget TargetFor(ZodarEdo::PictureSize pixels) const;
  // The member's item; problem says why its picture could not be had, when it could not. Safe to
  // call for several members at once.
  CellItem MakeItem(const ClassMember& member, const DecodeTarget& target, bool greyscale,
                    std::optional<PictureProblem>& problem) const;

  const Montage& layout_;
  const PreviewSettings& settings_;
  ImageCache& cache_;
  ZodarEdo::PictureSize shape_;
};
