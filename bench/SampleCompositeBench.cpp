// Building the preview's cell items from a 2400 x 3000 sample picture for 20, 1000 and 9999
// images, once the picture is decoded and in the image cache.
//
//   sample_composite_bench [benchmark flags]   times BuildCellItems for each count
//   sample_composite_bench --peak N            one process, one count: the time of one build
//                                              and the process's peak memory (max RSS)
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "images/CellItem.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "images/ImageCache.h"
#include "images/PhotoEvent.h"
#include "images/PortraitImage.h"
#include "images/SampleComposite.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "support/TestJpeg.h"

namespace {

using Portraits = std::vector<std::shared_ptr<PortraitImage>>;

// The sample picture, made once per process in the temporary folder.
class SamplePicture {
 public:
  SamplePicture() {
    path_ = (std::filesystem::temp_directory_path() /
             ("sample-composite-bench-" + std::to_string(::getpid()) + ".jpg"))
                .string();
    testsupport::WriteFile(path_,
                           testsupport::EncodeJpeg({.width = 2400, .height = 3000, .quality = 90}));
  }
  ~SamplePicture() { std::filesystem::remove(path_); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// One preview: the layout with names printed, the built-in preview settings, and the subjects
// the view makes per redraw. The sample is decoded into the cache when the preview is made.
class Preview {
 public:
  Preview(const std::string& sample, int images) {
    layout_.PrintNames = true;
    settings_.SampleImagePath = sample;
    for (int i = 0; i + 1 < images; ++i) {
      portraits_.push_back(std::make_shared<PortraitImage>(&event_, -1, 0, -1, 0));
    }
    ImageError error;
    if (!cache_.GetAdjusted(sample, error, ImageAdjustments())) {
      std::fprintf(stderr, "cannot read the sample: %s\n", error.Text.c_str());
      std::exit(1);
    }
  }

  std::size_t Build() {
    std::vector<CellItem> items;
    CellItem mainItem;
    SampleComposite(layout_, settings_, cache_)
        .BuildCellItems(portraits_, main_, items, mainItem, false);
    return items.size();
  }

 private:
  Montage layout_;
  PreviewSettings settings_;
  ImageCache cache_{LoadRetryPolicy::SingleAttempt()};
  PhotoEvent event_;
  Portraits portraits_;
  std::shared_ptr<PortraitImage> main_ = std::make_shared<PortraitImage>(&event_, -1, 0, -1, 0);
};

const SamplePicture& Sample() {
  static const SamplePicture sample;
  return sample;
}

void BuildCellItems(benchmark::State& state) {
  Preview preview(Sample().Path(), static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(preview.Build());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BuildCellItems)->Arg(20)->Arg(1000)->Arg(9999)->Unit(benchmark::kMillisecond);

int Peak(int images) {
  Preview preview(Sample().Path(), images);
  const auto start = std::chrono::steady_clock::now();
  const std::size_t items = preview.Build();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  std::printf("%d images: %zu items in %.1f ms, max RSS %.1f MB\n", images, items, took.count(),
              static_cast<double>(usage.ru_maxrss) / 1024);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--peak") == 0) return Peak(std::atoi(argv[2]));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
