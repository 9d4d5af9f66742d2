#include "shell/PreviewComposite.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "batch/GroupComposite.h"
#include "engine/CompositeRenderer.h"
#include "engine/RenderContext.h"
#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"
#include "platform/ModalQuestions.h"
#include "roster/SchoolGroups.h"
#include "settings/PreviewSettings.h"
#include "shell/PreviewGroups.h"
#include "shell/ShortList.h"

namespace {

std::string ClassMessage(const std::string& classError,
                         const std::vector<PictureProblem>& problems) {
  if (!classError.empty()) {
    return "The class list cannot be read, so the preview shows the sample images.\n" + classError;
  }
  if (problems.empty()) return {};
  std::vector<std::string> lines;
  for (const PictureProblem& problem : problems)
    lines.push_back(problem.Path + ": " + problem.Error);
  return "Some pictures of the class list cannot be drawn; their cells show a placeholder." +
         ShortList(lines);
}

// Tells about the class once: the preview draws again for every change of a frame or a
// colour, and the same box each time would be in the way of the work.
void TellOnce(const std::string& message) {
  static std::string lastTold;
  if (message == lastTold) return;
  lastTold = message;
  if (!message.empty()) ModalQuestions::Current().ShowMessage(message);
}

}  // namespace

PreviewDrawn DrawPreviewComposite(DeviceContext& dc, const DisplayConverter& converter,
                                  const Montage& layout, const PreviewSettings& settings,
                                  const Rect& page) {
  // The subjects live for this drawing only, as the composite's cell items do; the class list
  // itself is read again only when its file changes.
  CompositeSubjects subjects = CompositeSubjects::ForSettings(settings);
  // A school's list shows one group, as `render --group` and the batch draw it: its pupils, its
  // teacher as the main image and its fields filled in the caption lines.
  std::optional<PreviewSettings> filled;
  std::string captionError;
  if (subjects.Class() != nullptr) {
    if (const auto groups = PreviewSchoolGroups(settings)) {
      const Group& group = PreviewGroup(*groups, settings);
      subjects = GroupSubjects(group);
      const CaptionFields captions(settings);
      if (captions.Ok()) {
        filled = captions.For(settings, group);
      } else {
        captionError = "The caption lines cannot be filled for the group.\n" + captions.Error();
      }
    }
  }
  const RenderContext context{dc, converter, layout, filled ? *filled : settings,
                              ImageCache::Instance()};
  const CompositeContent content = DrawComposite(context, page, subjects, false);
  // The samples' only problem is the sample itself, which is told at every redraw that meets
  // it rather than once like a class's.
  const bool drawnClass = subjects.Class() != nullptr;
  std::string message = ClassMessage(subjects.ClassError(),
                                     drawnClass ? content.Problems : std::vector<PictureProblem>{});
  if (!captionError.empty()) message += (message.empty() ? "" : "\n\n") + captionError;
  TellOnce(message);
  if (!drawnClass) {
    for (const PictureProblem& problem : content.Problems) {
      ModalQuestions::Current().ShowMessage(problem.Error);
    }
  }
  // The main item is made even when the main image is an ordinary cell; it counts as the main
  // image only when the plan gives it a place of its own.
  bool mainImage = false;
  if (content.Plan && content.MainItem.HasCell()) {
    for (const Placement& placement : content.Plan->Placements()) {
      mainImage = mainImage || placement.Kind == PlacementKind::MainImage;
    }
  }
  return {content.Items.size(), mainImage};
}
