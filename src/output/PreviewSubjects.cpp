#include "output/PreviewSubjects.h"

#include "engine/Truncate.h"
#include "images/PhotoEvent.h"
#include "images/PortraitImage.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"

namespace {

std::shared_ptr<PortraitImage> SampleRecord(PhotoEvent* event) {
  // No subject, no number: the preview's records stand for nobody in particular.
  return std::make_shared<PortraitImage>(event, -1, 0, -1, 0);
}

}  // namespace

PreviewSubjects::PreviewSubjects(std::uint32_t numImages) : event_(std::make_unique<PhotoEvent>()) {
  const std::uint32_t small = numImages > 0 ? numImages - 1 : 0;
  portraits_.reserve(small);
  for (std::uint32_t i = 0; i < small; ++i) portraits_.push_back(SampleRecord(event_.get()));
  main_ = SampleRecord(event_.get());
}

PreviewSubjects::~PreviewSubjects() {
  portraits_.clear();
  main_.reset();
}

Rect PreviewPage(const PreviewSettings& settings, const Montage& layout) {
  const int width = SaturateToInt(settings.PaperWidth);
  const int height = SaturateToInt(settings.PaperHeight);
  return layout.Portrait ? Rect{0, 0, height, width} : Rect{0, 0, width, height};
}
