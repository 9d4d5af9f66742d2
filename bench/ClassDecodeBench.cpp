// Decoding a class of camera-sized photographs for one composite: each file at full size one
// after another (as the program did), reduced for its cell one after another, and reduced on
// every core through the image cache; then a second drawing of the class served from the cache.
// The class comes from make-class-pictures (class_render_vs_montage.sh makes one).
//
//   MONTAGE_CLASS_DIR=FOLDER class_decode_bench [benchmark flags]
//
// The cells are those of a 10 x 8 inch sheet at 300 dpi holding 30 portraits: about 400 x 500
// pixels, cut to the proportions 10 : 8.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "images/DecodeTarget.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "images/ImageCache.h"
#include "toolkit/PLJPEGDecoder.h"

namespace {

const DecodeTarget kCell{.CellWidth = 400, .CellHeight = 500, .CropFirst = 10, .CropSecond = 8};

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

void PrefetchOnEveryCore(benchmark::State& state) {
  const std::vector<PictureRequest> requests = ClassRequests();
  for (auto _ : state) {
    ImageCache cache(LoadRetryPolicy::SingleAttempt());
    if (cache.Prefetch(requests) != requests.size()) state.SkipWithError("a picture failed");
  }
}

void SecondDrawingFromTheCache(benchmark::State& state) {
  const std::vector<PictureRequest> requests = ClassRequests();
  ImageCache cache(LoadRetryPolicy::SingleAttempt());
  cache.Prefetch(requests);
  ImageError error;
  for (const PictureRequest& request : requests) {
    cache.GetAdjusted(request.Path, error, ImageAdjustments(), request.Target);
  }
  for (auto _ : state) {
    for (const PictureRequest& request : requests) {
      benchmark::DoNotOptimize(
          cache.GetAdjusted(request.Path, error, ImageAdjustments(), request.Target));
    }
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
  benchmark::RegisterBenchmark("DecodeClass/ReducedOnEveryCore", PrefetchOnEveryCore)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("DecodeClass/SecondDrawingFromCache", SecondDrawingFromTheCache)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
