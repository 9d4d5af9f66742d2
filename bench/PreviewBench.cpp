// The preview view on the offscreen platform: a full redraw of the default layout fitted to a
// 1600 x 1000 view (as after an applied edit) for several numbers of images, and a repaint when
// nothing changed (an expose), which comes from the kept picture of the page.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "ShownPreview.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "shell/CMontageView.h"
#include "shell/DocumentView.h"

namespace {

void BM_PreviewRedraw(benchmark::State& state) {
  ShownPreview preview(static_cast<std::uint32_t>(state.range(0)));
  CMontageView& view = preview.View();
  const int before = view.Drawings();
  for (auto _ : state) {
    view.OnUpdate(HintLayoutEdited);
    view.viewport()->repaint();
  }
  state.counters["drawings"] =
      benchmark::Counter(view.Drawings() - before, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PreviewRedraw)->Arg(20)->Arg(100)->Arg(9999)->Unit(benchmark::kMillisecond);

// The redraw of 20 images zoomed in from the fit by some steps of Zoom In: the whole page is drawn
// up to 16 megapixels (about 12 steps on this view), past that only the part on show.
void BM_PreviewRedrawZoomedIn(benchmark::State& state) {
  ShownPreview preview(20);
  CMontageView& view = preview.View();
  for (int i = 0; i < state.range(0); ++i) view.ZoomIn();
  view.viewport()->repaint();
  const int before = view.Drawings();
  for (auto _ : state) {
    view.OnUpdate(HintLayoutEdited);
    view.viewport()->repaint();
  }
  state.counters["drawings"] =
      benchmark::Counter(view.Drawings() - before, benchmark::Counter::kAvgIterations);
  state.counters["megapixels"] = static_cast<double>(view.CachedPictureSize().width()) *
                                 view.CachedPictureSize().height() / 1e6;
}
BENCHMARK(BM_PreviewRedrawZoomedIn)
    ->Arg(6)
    ->Arg(12)
    ->Arg(13)
    ->Arg(30)
    ->Unit(benchmark::kMillisecond);

// A class of camera-sized photographs redrawn after a change of the outer frame's colour, on the
// window's cache as the application sizes it: the pictures decoded for the first drawing serve
// every redraw, so none decodes a file.
void BM_PreviewRedrawClassFrameColour(benchmark::State& state) {
  const char* folder = std::getenv("MONTAGE_CLASS_DIR");
  if (folder == nullptr) {
    state.SkipWithError("set MONTAGE_CLASS_DIR to a folder made by make-class-pictures");
    return;
  }
  ImageCache::Instance().Resize(5, true);
  ShownPreview preview(20, std::string(folder) + "/class.csv");
  CMontageView& view = preview.View();
  preview.Layout().OuterFrame = 20;
  const int before = view.Drawings();
  bool red = false;
  for (auto _ : state) {
    red = !red;
    preview.Layout().OuterFrameColour = red ? "0000FF" : "FF0000";
    view.OnUpdate(HintLayoutEdited);
    view.viewport()->repaint();
  }
  state.counters["drawings"] =
      benchmark::Counter(view.Drawings() - before, benchmark::Counter::kAvgIterations);
  const PreviewDrawn drawn = view.LastDrawn();
  state.counters["images"] = static_cast<double>(drawn.SmallImages + (drawn.MainImage ? 1 : 0));
}
BENCHMARK(BM_PreviewRedrawClassFrameColour)->Unit(benchmark::kMillisecond);

void BM_PreviewRepaintUnchanged(benchmark::State& state) {
  ShownPreview preview(20);
  CMontageView& view = preview.View();
  const int before = view.Drawings();
  for (auto _ : state) view.viewport()->repaint();
  state.counters["drawings"] =
      benchmark::Counter(view.Drawings() - before, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PreviewRepaintUnchanged)->Unit(benchmark::kMillisecond);

}  // namespace
