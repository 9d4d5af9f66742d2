#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Rect.h"

class Montage;
class PhotoEvent;
class PortraitImage;
class PreviewSettings;

// The sample subjects of one preview drawing: an empty photo event and the portrait records of
// the small images and of the main image, all with default adjustments. The event outlives the
// records that point to it.
class PreviewSubjects {
 public:
  // numImages counts every image of the composite, the main image included: numImages - 1
  // small-image records and the main subject. When the layout has no main image the main
  // subject becomes an ordinary cell, so the composite shows numImages images either way.
  explicit PreviewSubjects(std::uint32_t numImages);
  ~PreviewSubjects();
  PreviewSubjects(const PreviewSubjects&) = delete;
  PreviewSubjects& operator=(const PreviewSubjects&) = delete;

  const std::vector<std::shared_ptr<PortraitImage>>& Portraits() const { return portraits_; }
  const std::shared_ptr<PortraitImage>& Main() const { return main_; }

 private:
  std::unique_ptr<PhotoEvent> event_;
  std::vector<std::shared_ptr<PortraitImage>> portraits_;
  std::shared_ptr<PortraitImage> main_;
};

// The page the preview draws on, in layout units: the preview paper, turned upright when the
// layout is for portrait paper.
Rect PreviewPage(const PreviewSettings& settings, const Montage& layout);
