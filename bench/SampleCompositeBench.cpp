// Building the preview's cell items from a 2400 x 3000 sample picture for 20, 1000 and 9999
// images, once the picture is decoded and in the image cache.
//
//   sample_composite_bench [benchmark flags]   times BuildCellItems for each count
//   sample_composite_bench --peak N            one process, one count: the time of one build
//                                              and the process's peak memory (max RSS)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "images/CellItem.h"
#include "images/CompositeSubjects.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "support/ScratchFolder.h"
#include "support/TestJpeg.h"

namespace {

// The sample picture, made once per process in a scratch folder.
class SamplePicture {
 public:
  SamplePicture() {
    testsupport::WriteFile(path_,
                           testsupport::EncodeJpeg({.width = 2400, .height = 3000, .quality = 90}));
  }
  const std::string& Path() const { return path_; }

 private:
  ScratchFolder folder_{"sample-composite-bench"};
  std::string path_ = (folder_.Path() / "sample.jpg").string();
};

// One preview: the layout with names printed, the built-in preview settings, and the subjects
// a redraw chooses for them. The sample is decoded into the cache when the preview is made.
class Preview {
 public:
  Preview(const std::string& sample, int images) {
    layout_.PrintNames = true;
    settings_.SampleImagePath = sample;
    settings_.NumImages = static_cast<std::uint32_t>(images);
    ImageError error;
    if (!cache_.GetAdjusted(sample, error, ImageAdjustments())) {
      std::fprintf(stderr, "cannot read the sample: %s\n", error.Text.c_str());
      std::exit(1);
    }
  }

  // The cell items of one redraw, from subjects chosen as a drawing chooses them.
  std::size_t Build() {
    const CompositeSubjects subjects = CompositeSubjects::ForSettings(settings_);
    std::vector<CellItem> items;
    CellItem mainItem;
    std::vector<PictureProblem> problems;
    subjects.BuildCellItems(layout_, settings_, cache_, {}, items, mainItem, false, problems);
    return items.size();
  }

 private:
  Montage layout_;
  PreviewSettings settings_;
  ImageCache cache_{LoadRetryPolicy::SingleAttempt()};
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
