// Choosing another group of a school in the preview, on the offscreen platform: the school's
// portrait index applied to the preview of the starter layout with a main image, shown at
// 1600 x 1000 and fitted, each group chosen as the form's Group list chooses it (the group's
// name into the preview settings, then the document's update to its views) and the view
// repainted. The goal is under 100 ms a switch for groups of 25 pupils of 640 x 800 pictures
// once each has been drawn.
//
//   MONTAGE_SCHOOL_DIR=FOLDER group_switch_bench
//
// FOLDER is a school made by `make-class-pictures --school FOLDER` (40 groups of 25 pupils).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ShownPreview.h"
#include "images/ImageCache.h"
#include "roster/Group.h"
#include "roster/SchoolGroups.h"
#include "settings/PreviewSettings.h"
#include "shell/CMontageDoc.h"
#include "shell/CMontageView.h"
#include "shell/PreviewGroups.h"

namespace {

// The window's image cache as the application sizes it; a drawing grows it for its pictures.
constexpr std::uint32_t kApplicationCacheEntries = 5;

// The school's preview, or nothing after telling the benchmark why not.
std::unique_ptr<ShownPreview> ShowSchool(benchmark::State& state) {
  const char* folder = std::getenv("MONTAGE_SCHOOL_DIR");
  if (folder == nullptr) {
    state.SkipWithError("set MONTAGE_SCHOOL_DIR to a folder made by make-class-pictures --school");
    return nullptr;
  }
  ImageCache::Instance().Clear();
  ImageCache::Instance().Resize(kApplicationCacheEntries, true);
  auto preview = std::make_unique<ShownPreview>(
      20, std::string(folder) + "/INDEX.TXT",
      std::string(MONTAGE_SAMPLE_FOLDER) + "layouts/ClassWithMainImage.txt");
  if (!preview->LayoutRead()) {
    state.SkipWithError("the starter layout ClassWithMainImage.txt cannot be read");
    return nullptr;
  }
  return preview;
}

// The names of the school's pupils' groups, at most count of them (0 for all), as the Group
// list offers them.
std::vector<std::string> PupilGroups(std::size_t count) {
  std::vector<std::string> names;
  const auto groups = PreviewSchoolGroups(PreviewSettings::Instance());
  if (!groups) return names;
  for (const Group& group : groups->Groups()) {
    if (!group.IsStaff && (count == 0 || names.size() < count)) names.push_back(group.Name);
  }
  return names;
}

// What the form does when the user picks a group: the choice goes into the settings and the
// document tells its views, which draw the page again at the next paint.
void Choose(ShownPreview& preview, const std::string& group) {
  PreviewSettings::Instance().ClassGroup = group;
  preview.Document().LayoutChanged();
  preview.View().viewport()->repaint();
}

void CountDrawings(benchmark::State& state, ShownPreview& preview, int before, std::size_t groups) {
  CMontageView& view = preview.View();
  state.counters["drawings"] =
      benchmark::Counter(view.Drawings() - before, benchmark::Counter::kAvgIterations);
  const PreviewDrawn drawn = view.LastDrawn();
  state.counters["images"] = static_cast<double>(drawn.SmallImages + (drawn.MainImage ? 1 : 0));
  state.counters["groups"] = static_cast<double>(groups);
  state.counters["cache_MiB"] =
      static_cast<double>(ImageCache::Instance().PixelBytes()) / (1024.0 * 1024.0);
}

// Switches round range(0) groups (0: every pupils' group), each drawn once before timing, so
// that the figure is the redraw after the first decode: with more groups than the image cache
// keeps, the switch decodes the group's pictures again.
void BM_GroupSwitch(benchmark::State& state) {
  const std::unique_ptr<ShownPreview> preview = ShowSchool(state);
  if (!preview) return;
  const std::vector<std::string> groups = PupilGroups(static_cast<std::size_t>(state.range(0)));
  if (groups.size() < 2) {
    state.SkipWithError("the school's index has fewer than two groups of pupils");
    return;
  }
  for (const std::string& group : groups) Choose(*preview, group);
  const int before = preview->View().Drawings();
  std::size_t next = 0;
  for (auto _ : state) {
    Choose(*preview, groups[next]);
    next = (next + 1) % groups.size();
  }
  CountDrawings(state, *preview, before, groups.size());
}
BENCHMARK(BM_GroupSwitch)->Arg(2)->Arg(12)->Arg(24)->Arg(0)->Unit(benchmark::kMillisecond);

// The first look at a group: the image cache emptied before each switch, so that every picture
// of the group is read and decoded, as when the user picks a group not seen before.
void BM_GroupSwitchFirstDecode(benchmark::State& state) {
  const std::unique_ptr<ShownPreview> preview = ShowSchool(state);
  if (!preview) return;
  const std::vector<std::string> groups = PupilGroups(0);
  if (groups.size() < 2) {
    state.SkipWithError("the school's index has fewer than two groups of pupils");
    return;
  }
  const int before = preview->View().Drawings();
  std::size_t next = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ImageCache::Instance().Clear();
    ImageCache::Instance().Resize(kApplicationCacheEntries, true);
    next = (next + 1) % groups.size();
    state.ResumeTiming();
    Choose(*preview, groups[next]);
  }
  CountDrawings(state, *preview, before, groups.size());
}
BENCHMARK(BM_GroupSwitchFirstDecode)->Unit(benchmark::kMillisecond);

}  // namespace
