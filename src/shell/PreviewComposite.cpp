#include "shell/PreviewComposite.h"

#include "engine/CompositeRenderer.h"
#include "engine/RenderContext.h"
#include "images/ImageCache.h"
#include "output/PreviewSubjects.h"
#include "settings/PreviewSettings.h"

PreviewDrawn DrawPreviewComposite(DeviceContext& dc, const DisplayConverter& converter,
                                  const Montage& layout, const PreviewSettings& settings,
                                  const Rect& page) {
  const RenderContext context{dc, converter, layout, settings, ImageCache::Instance()};
  // The records live for this drawing only, as the composite's cell items do.
  const PreviewSubjects subjects(settings.NumImages);
  const CompositeContent content =
      DrawComposite(context, page, subjects.Portraits(), subjects.Main(), false);
  // The main item is made even when the main image is an ordinary cell; it counts as the main
  // image only when the plan gives it a place of its own.
  bool mainImage = false;
  if (content.Plan && content.MainItem.Picture) {
    for (const Placement& placement : content.Plan->Placements()) {
      mainImage = mainImage || placement.Kind == PlacementKind::MainImage;
    }
  }
  return {content.Items.size(), mainImage};
}
