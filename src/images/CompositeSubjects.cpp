#include "images/CompositeSubjects.h"

#include "images/ClassComposite.h"
#include "images/PortraitImage.h"
#include "images/SampleComposite.h"
#include "roster/ClassList.h"
#include "roster/ClassListCache.h"
#include "roster/PhotoEvent.h"
#include "settings/PreviewSettings.h"

namespace {

std::shared_ptr<PortraitImage> SampleRecord(PhotoEvent* event) {
  // No subject, no number: the sample records stand for nobody in particular.
  return std::make_shared<PortraitImage>(event, -1, 0, -1, 0);
}

}  // namespace

CompositeSubjects::CompositeSubjects(std::uint32_t numImages)
    : event_(std::make_unique<PhotoEvent>()) {
  const std::uint32_t small = numImages > 0 ? numImages - 1 : 0;
  portraits_.reserve(small);
  for (std::uint32_t i = 0; i < small; ++i) portraits_.push_back(SampleRecord(event_.get()));
  main_ = SampleRecord(event_.get());
}

CompositeSubjects::CompositeSubjects(std::shared_ptr<const ClassList> list)
    : event_(std::make_unique<PhotoEvent>()), list_(std::move(list)) {}

CompositeSubjects::~CompositeSubjects() {
  // The records point to the event, so they go first.
  portraits_.clear();
  main_.reset();
}

CompositeSubjects::CompositeSubjects(CompositeSubjects&&) noexcept = default;
CompositeSubjects& CompositeSubjects::operator=(CompositeSubjects&&) noexcept = default;

CompositeSubjects CompositeSubjects::ForSettings(const PreviewSettings& settings) {
  if (settings.ClassListPath.empty()) return CompositeSubjects(settings.NumImages);
  auto list = ClassListCache::Instance().Get(settings.ClassListPath);
  if (std::string error = list->CompositeError(); !error.empty()) {
    CompositeSubjects samples(settings.NumImages);
    samples.classError_ = std::move(error);
    return samples;
  }
  return CompositeSubjects(std::move(list));
}

std::size_t CompositeSubjects::ImageCount() const {
  if (list_) return list_->Members().size();
  return portraits_.size() + 1;
}

std::size_t CompositeSubjects::ExpectedImageCount(const Montage& layout,
                                                  const PreviewSettings& settings) const {
  if (!list_) return ImageCount();
  return ImageCount() - ClassComposite::KnownOmissions(*list_, layout, settings);
}

std::size_t CompositeSubjects::BuildCellItems(const Montage& layout,
                                              const PreviewSettings& settings, ImageCache& cache,
                                              ZodarEdo::PictureSize cellPixels,
                                              std::vector<CellItem>& items, CellItem& mainItem,
                                              bool greyscale,
                                              std::vector<PictureProblem>& problems) const {
  if (list_) {
    return ClassComposite(layout, settings, cache)
        .BuildCellItems(*list_, cellPixels, items, mainItem, greyscale, problems);
  }
  SampleComposite samples(layout, settings, cache);
  samples.BuildCellItems(portraits_, main_, items, mainItem, greyscale);
  if (samples.Problem()) problems.push_back(*samples.Problem());
  return 0;
}
