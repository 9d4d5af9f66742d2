#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/CaptionDrawing.h"
#include "engine/CompositeRenderer.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"
#include "layout/LayoutFile.h"
#include "layout/Montage.h"
#include "platform/RasterDeviceContext.h"
#include "settings/PreviewPage.h"
#include "settings/PreviewSettings.h"

namespace {

namespace fs = std::filesystem;

// The group sizes the starter layouts are meant for, main image included, and the smallest
// sizes at which names and caption lines still read on the print.
constexpr std::uint32_t kFewestImages = 20;
constexpr std::uint32_t kMostImages = 35;
constexpr std::uint32_t kSmallestName = 60;
constexpr std::uint32_t kSmallestCaption = 100;
// The resolution the render command prints at by default; text is measured at the pixel sizes
// a print gets.
constexpr int kDpi = 300;
constexpr int kTenTimesEightPaper = 4;

// The layout files in a folder, in name order so failures come out the same on every run.
std::vector<fs::path> LayoutsIn(const fs::path& folder) {
  std::vector<fs::path> layouts;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".txt") layouts.push_back(entry.path());
  }
  std::sort(layouts.begin(), layouts.end());
  return layouts;
}

// The starter layouts as they ship: the copies beside the built program, which are also the
// files installed.
std::vector<fs::path> StarterLayouts() {
  return LayoutsIn(fs::path(MONTAGE_BINARY_DIR) / "layouts");
}

std::vector<std::string> FileNames(const std::vector<fs::path>& paths) {
  std::vector<std::string> names;
  for (const fs::path& path : paths) names.push_back(path.filename().string());
  return names;
}

std::string NameOf(const testing::TestParamInfo<fs::path>& info) {
  return info.param.stem().string();
}

// The texts of one composite drawn as the render command draws it on 10x8 paper, turned as
// the layout turns the paper, and the caption texts it was given.
struct DrawnComposite {
  CompositeContent Content;
  std::vector<std::string> Captions;
};

bool Placed(const CompositePlan& plan, PlacementKind kind) {
  return std::any_of(plan.Placements().begin(), plan.Placements().end(),
                     [kind](const Placement& placement) { return placement.Kind == kind; });
}

DrawnComposite Draw(const Montage& layout, std::uint32_t images) {
  PreviewSettings settings;
  settings.SetInstallFolder(MONTAGE_BINARY_DIR);
  settings.SetPaperType(kTenTimesEightPaper);
  settings.NumImages = images;
  const Rect page = PreviewPage(settings, layout);
  RasterDeviceContext dc((page.Width() * kDpi + 127) / 254, (page.Height() * kDpi + 127) / 254,
                         kDpi, kDpi);
  const DisplayConverter converter;
  ImageCache cache(LoadRetryPolicy::SingleAttempt());
  const RenderContext context{dc, converter, layout, settings, cache};
  DrawnComposite drawn;
  drawn.Content = DrawComposite(context, page, CompositeSubjects(images), false);
  drawn.Captions = CaptionTexts(layout, settings);
  return drawn;
}

// The lines of names the composite should hold: one per picture, or one per name part.
std::size_t ExpectedNameLines(const Montage& layout, const CompositeContent& content) {
  if (!layout.PrintNames) return 0;
  std::vector<const CellItem*> items;
  for (const CellItem& item : content.Items) items.push_back(&item);
  if (content.MainItem.Picture && Placed(*content.Plan, PlacementKind::MainImage)) {
    items.push_back(&content.MainItem);
  }
  if (!layout.PrintNames2Lines) return items.size();
  std::size_t lines = 0;
  for (const CellItem* item : items) {
    lines += !item->FirstName.empty();
    lines += !item->LastName.empty();
  }
  return lines;
}

std::string Points(std::uint32_t tenths) {
  std::ostringstream text;
  text << tenths / 10 << '.' << tenths % 10 << " pt";
  return text.str();
}

// The texts of one kind a composite drew: how many, how many fell below the smallest size that
// reads, and the smallest of them.
struct TextSizes {
  std::size_t Drawn = 0;
  std::size_t Below = 0;
  const DrawnText* Smallest = nullptr;
};

TextSizes SizesOf(const std::vector<DrawnText>& texts, bool captions, std::uint32_t limit) {
  TextSizes sizes;
  for (const DrawnText& text : texts) {
    if ((text.Role == TextRole::Caption) != captions) continue;
    ++sizes.Drawn;
    sizes.Below += text.Fit.PointTenths < limit;
    if (!sizes.Smallest || text.Fit.PointTenths < sizes.Smallest->Fit.PointTenths) {
      sizes.Smallest = &text;
    }
  }
  return sizes;
}

// One failure per composite and kind of text, naming the smallest line, rather than one for
// every cell that holds the same long name.
void ExpectReadable(const std::string& where, const std::string& kind, const TextSizes& sizes,
                    std::uint32_t limit) {
  if (!sizes.Smallest) return;
  EXPECT_GE(sizes.Smallest->Fit.PointTenths, limit)
      << where << ": " << sizes.Below << " of " << sizes.Drawn << " " << kind << " lines below "
      << Points(limit) << "; the smallest, line " << sizes.Smallest->Line + 1 << " \""
      << sizes.Smallest->Text << "\", at " << Points(sizes.Smallest->Fit.PointTenths);
}

class StarterLayoutText : public testing::TestWithParam<fs::path> {};

// A photographer ships a starter layout as it is; its names and captions must read at every
// group size it is meant for, which a name band or caption row too small would defeat by
// shrinking the text.
TEST_P(StarterLayoutText, NamesAndCaptionsReadAtEveryGroupSize) {
  const std::string name = GetParam().filename().string();
  Montage layout;
  ASSERT_TRUE(ReadLayoutFromFile(GetParam().string(), layout)) << name;
  for (std::uint32_t images = kFewestImages; images <= kMostImages; ++images) {
    const DrawnComposite drawn = Draw(layout, images);
    const std::string where = name + " with " + std::to_string(images) + " images";
    ASSERT_TRUE(drawn.Content.Plan) << where << ": nothing laid out";
    const TextSizes names = SizesOf(drawn.Content.Texts, false, kSmallestName);
    const TextSizes captions = SizesOf(drawn.Content.Texts, true, kSmallestCaption);
    ExpectReadable(where, "name", names, kSmallestName);
    ExpectReadable(where, "caption", captions, kSmallestCaption);

    // A band or row too small to fit in draws nothing at all, which is no better.
    EXPECT_EQ(names.Drawn, ExpectedNameLines(layout, drawn.Content))
        << where << ": name lines drawn";
    const auto captionLines =
        Placed(*drawn.Content.Plan, PlacementKind::Captions)
            ? std::count_if(drawn.Captions.begin(), drawn.Captions.end(),
                            [](const std::string& text) { return !text.empty(); })
            : 0;
    EXPECT_EQ(captions.Drawn, static_cast<std::size_t>(captionLines))
        << where << ": caption lines drawn";
  }
}

INSTANTIATE_TEST_SUITE_P(Starter, StarterLayoutText, testing::ValuesIn(StarterLayouts()), NameOf);

// A layout put in the resources folder but left out of the build's list would neither ship nor
// be tried above.
TEST(StarterLayouts, EveryLayoutInTheResourcesShipsAndIsTried) {
  const auto shipped = FileNames(StarterLayouts());
  EXPECT_EQ(shipped, FileNames(LayoutsIn(fs::path(MONTAGE_TEST_DATA) / "../../resources/layouts")));
  EXPECT_GE(shipped.size(), 4u);
}

}  // namespace
