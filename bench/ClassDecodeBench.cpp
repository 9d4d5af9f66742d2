// Decoding a class of camera-sized photographs for one composite: each file at full size one
// after another (as the program did) and reduced for its cell one after another; then the class's
// cell items made as the render command makes them (decoded on every core through the image
// cache, turned and cut), and made again for a second drawing from the cache. The class comes
// from make-class-pictures (class_render_vs_montage.sh makes one).
//
//   MONTAGE_CLASS_DIR=FOLDER class_decode_bench [benchmark flags]
//
// The cells are those of the default layout for the class on the 10 x 8 inch paper at 300 dpi;
// the one-by-one decodes take cells of 400 x 500 pixels cut to the proportions 10 : 8, about
// the size of those.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/CompositeRenderer.h"
#include "images/CompositeSubjects.h"
#include "images/DecodeTarget.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "settings/PreviewPage.h"
#include "settings/PreviewSettings.h"
#include "toolkit/PLJPEGDecoder.h"

namespace {

const DecodeTarget kCell{.CellWidth = 400, .CellHeight = 500, .CropFirst = 10, .CropSecond = 8};
// Pixels per layout unit (a tenth of a millimetre) at 300 dpi.
constexpr double kPixelsPerUnit = 300.0 / 254.0;

std::vector<PictureRequest> ClassRequests() {
  std::vector<PictureRequest> requests;
  const char* folder = std::getenv("MONTAGE_CLASS_DIR");
  if (folder == nullptr) return requests;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".jpg") requests.push_back({entry.path().string(), kCell});
  }
  return requests;
}

void DecodeOneByOne(benchmark::State& state, bool reduced) {
  const std::vector<PictureRequest> requests = ClassRequests();
  PLJPEGDecoder decoder;
  for (auto _ : state) {
    for (const PictureRequest& request : requests) {
      ZodarEdo::DeviceIndepBitmap picture;
      const ImageError error = reduced ? picture.LoadJpegFile(request.Path, decoder, request.Target)
                                       : picture.LoadJpegFile(request.Path, decoder);
      if (error.Failed()) state.SkipWithError(error.Text.c_str());
    }
  }
  state.counters["pictures"] = static_cast<double>(requests.size());
}

// The cell items of the class list in the folder with the default layout, made as the renderer
// makes them before it draws; false, with the reason given to the state, when one could not be.
bool PrepareClass(benchmark::State& state, ImageCache& cache) {
  PreviewSettings settings;
  settings.ClassListPath = std::string(std::getenv("MONTAGE_CLASS_DIR")) + "/class.csv";
  const Montage layout;
  const CompositeSubjects subjects = CompositeSubjects::ForSettings(settings);
  if (!subjects.ClassError().empty()) {
    state.SkipWithError(subjects.ClassError().c_str());
    return false;
  }
  const CompositeContent content = PrepareComposite(
      layout, settings, cache, PreviewPage(settings, layout), subjects, false, kPixelsPerUnit);
  if (!content.Problems.empty()) {
    state.SkipWithError(content.Problems.front().Error.c_str());
    return false;
  }
  return true;
}

void CellItemsOnEveryCore(benchmark::State& state) {
  for (auto _ : state) {
    ImageCache cache(LoadRetryPolicy::SingleAttempt());
    if (!PrepareClass(state, cache)) break;
  }
}

void CellItemsFromTheCache(benchmark::State& state) {
  ImageCache cache(LoadRetryPolicy::SingleAttempt());
  if (!PrepareClass(state, cache)) return;
  for (auto _ : state) {
    if (!PrepareClass(state, cache)) break;
  }
  state.counters["MiB_cached"] = static_cast<double>(cache.PixelBytes()) / (1 << 20);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (ClassRequests().empty()) {
    std::fprintf(stderr, "set MONTAGE_CLASS_DIR to a folder made by make-class-pictures\n");
    return 2;
  }
  benchmark::RegisterBenchmark("DecodeClass/FullSizeOneByOne", DecodeOneByOne, false)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("DecodeClass/ReducedOneByOne", DecodeOneByOne, true)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("DecodeClass/CellItemsOnEveryCore", CellItemsOnEveryCore)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("DecodeClass/CellItemsFromTheCache", CellItemsFromTheCache)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
