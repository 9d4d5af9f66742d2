#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/CompositeRenderer.h"
#include "images/PhotoEvent.h"
#include "images/PortraitImage.h"
#include "settings/PreviewSettings.h"

// The sample subjects of a preview drawing, made as the preview makes them: count records of
// one empty event and a main subject.
class TestSubjects {
 public:
  explicit TestSubjects(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) portraits_.push_back(Record());
    main_ = Record();
  }
  const PortraitList& Portraits() const { return portraits_; }
  const std::shared_ptr<PortraitImage>& Main() const { return main_; }

 private:
  std::shared_ptr<PortraitImage> Record() {
    return std::make_shared<PortraitImage>(event_.get(), -1, 0, -1, 0);
  }

  std::unique_ptr<PhotoEvent> event_ = std::make_unique<PhotoEvent>();
  PortraitList portraits_;
  std::shared_ptr<PortraitImage> main_;
};

// The preview values with the sample pictures the build drew beside the executable.
inline PreviewSettings BuiltSamples() {
  PreviewSettings settings;
  settings.SetInstallFolder(MONTAGE_BINARY_DIR);
  return settings;
}
