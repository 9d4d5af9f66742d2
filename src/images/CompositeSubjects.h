#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "images/CellItem.h"
#include "images/CropGeometry.h"
#include "images/PictureProblem.h"

class ClassList;
class ImageCache;
class Montage;
class PhotoEvent;
class PortraitImage;
class PreviewSettings;

// Who one drawing of a composite shows: the members of a class list, or the sample subjects
// (an empty photo event and portrait records with default adjustments). The preview, the
// export and the grid all choose through ForSettings, so the three show the same subjects; the
// tests, benchmarks and fuzzers make theirs here too, so that they try the same path.
class CompositeSubjects {
 public:
  // numImages sample subjects, the main one included.
  explicit CompositeSubjects(std::uint32_t numImages);
  // The members of a list that was read.
  explicit CompositeSubjects(std::shared_ptr<const ClassList> list);
  ~CompositeSubjects();
  CompositeSubjects(CompositeSubjects&&) noexcept;
  CompositeSubjects& operator=(CompositeSubjects&&) noexcept;

  // The class of the list the settings name when it can be read and drawn, the samples of
  // NumImages otherwise (also when no list is named), with ClassError saying why a named list
  // could not be read or holds more than a composite shows. The list is read once per change
  // of its file.
  static CompositeSubjects ForSettings(const PreviewSettings& settings);

  // The class drawn, or null for the samples.
  const ClassList* Class() const { return list_.get(); }
  // Why the class list that was asked for could not be read; empty when it was, or when none
  // was asked for.
  const std::string& ClassError() const { return classError_; }
  // Images the composite shows, the main image included.
  std::size_t ImageCount() const;
  // The sample records, numImages - 1 of them, all of one event; empty for a class. A caller may
  // change a record's adjustments before the subjects are drawn.
  const std::vector<std::shared_ptr<PortraitImage>>& Portraits() const { return portraits_; }
  const std::shared_ptr<PortraitImage>& Main() const { return main_; }

  // The images the composite is expected to show under the settings' missing-pictures policy,
  // the main image included, as far as can be told before any picture is decoded (see
  // ClassComposite::KnownOmissions); ImageCount() when nothing is left out.
  std::size_t ExpectedImageCount(const Montage& layout, const PreviewSettings& settings) const;

  // Makes the cell items of the subjects as SampleComposite or ClassComposite does. cellPixels
  // is a small cell's size in output pixels (0 x 0 when not known); pictures of the class that
  // cannot be had, or the sample when it cannot be read, are added to problems. Returns the
  // number of subjects left out for want of a picture.
  std::size_t BuildCellItems(const Montage& layout, const PreviewSettings& settings,
                             ImageCache& cache, ZodarEdo::PictureSize cellPixels,
                             std::vector<CellItem>& items, CellItem& mainItem, bool greyscale,
                             std::vector<PictureProblem>& problems) const;

 private:
  std::unique_ptr<PhotoEvent> event_;
  std::vector<std::shared_ptr<PortraitImage>> portraits_;
  std::shared_ptr<PortraitImage> main_;
  std::shared_ptr<const ClassList> list_;
  std::string classError_;
};
