#include "engine/CaptionDrawing.h"

#include <gtest/gtest.h>

#include "SurfaceTestSupport.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "layout/Montage.h"
#include "platform/RasterDeviceContext.h"
#include "settings/PreviewSettings.h"
#include "support/PictureFolder.h"

namespace {

constexpr ColourRef kRed = MakeColourRef(255, 0, 0);
const ZodarEdo::PictureSize kSquareLogo{100, 100};

PreviewSettings TwoCaptionLines() {
  PreviewSettings settings;
  settings.SampleCaptionText[2].clear();
  settings.SampleCaptionText[3].clear();
  return settings;
}

TEST(CaptionLines, EmptyTrailingLinesGiveTheirShareToTheOthers) {
  const Montage layout;
  const PreviewSettings settings = TwoCaptionLines();
  EXPECT_EQ(CaptionTexts(layout, settings),
            (std::vector<std::string>{"Sample text line 1", "Sample text line 2"}));
  // 480 and 360 of 840: four sevenths and three sevenths.
  EXPECT_EQ(CaptionLineHeights(layout, 2, 700), (std::vector<int>{400, 300}));
  const CaptionPlan plan =
      PlanCaptions(layout, settings, Rect{100, 1000, 900, 1700}, 20, std::nullopt, std::nullopt);
  ASSERT_EQ(plan.Lines.size(), 2u);
  EXPECT_EQ(plan.Lines[0], (Rect{100, 1000, 900, 1400}));
  EXPECT_EQ(plan.Lines[1], (Rect{100, 1400, 900, 1700}));
}

TEST(CaptionLines, AtMostFourLinesAndAlwaysOne) {
  Montage layout;
  PreviewSettings settings;
  const struct {
    std::uint32_t asked;
    std::size_t lines;
  } cases[] = {{1, 1}, {3, 3}, {4, 4}, {5, 4}, {9, 4}, {UINT32_MAX, 4}};
  for (const auto& c : cases) {
    layout.NumCaptionLines = c.asked;
    EXPECT_EQ(CaptionTexts(layout, settings).size(), c.lines) << c.asked;
    EXPECT_EQ(CaptionLineHeights(layout, c.asked, 840).size(), c.lines) << c.asked;
  }
  for (std::string& text : settings.SampleCaptionText) text.clear();
  EXPECT_EQ(CaptionTexts(layout, settings), (std::vector<std::string>{""}));
  // Fonts without any size share the height equally rather than dividing by nothing.
  for (FontDetails& font : layout.CaptionFonts) font.FontPoint = 0;
  EXPECT_EQ(CaptionLineHeights(layout, 4, 400), (std::vector<int>{100, 100, 100, 100}));
}

TEST(CaptionLogos, SlotsAreATenthOfTheBlockTruncated) {
  Montage layout;
  EXPECT_EQ(LogoSlotWidth(layout, 1905), 190);
  layout.SingleLogo = true;
  EXPECT_EQ(LogoSlotWidth(layout, 1905), 380);
  layout.LogoTop = true;
  EXPECT_EQ(LogoSlotWidth(layout, 1905), 0);
}

TEST(CaptionLogos, TwoLogosNarrowTheTextAndSitCentredInTheirSlots) {
  const Montage layout;
  const Rect block{100, 1000, 2005, 1400};
  const CaptionPlan plan =
      PlanCaptions(layout, PreviewSettings(), block, 30, kSquareLogo, std::nullopt);
  EXPECT_EQ(plan.LogoSlot, 190);
  EXPECT_EQ(plan.TextArea, (Rect{100 + 220, 1000, 2005 - 220, 1400}));
  ASSERT_EQ(plan.Logos.size(), 2u);
  // 190 wide and 400 high: the square logo is 190 by 190, centred on the block's height.
  EXPECT_EQ(plan.Logos[0].Box, (Rect{100, 1105, 290, 1295}));
  EXPECT_FALSE(plan.Logos[0].RightImage);
  EXPECT_EQ(plan.Logos[1].Box, (Rect{1815, 1105, 2005, 1295}));
  EXPECT_TRUE(plan.Logos[1].RightImage);
}

TEST(CaptionLogos, NoLogoPictureLeavesTheTextTheWholeBlock) {
  const Rect block{100, 1000, 2005, 1400};
  const CaptionPlan plan =
      PlanCaptions(Montage(), PreviewSettings(), block, 30, std::nullopt, kSquareLogo);
  EXPECT_EQ(plan.TextArea, block);
  EXPECT_TRUE(plan.Logos.empty());
}

TEST(CaptionLogos, SingleLogoOnTopTakesTheFirstLinesPlace) {
  Montage layout;
  layout.SingleLogo = true;
  layout.LogoLeft = false;
  layout.LogoTop = true;
  const Rect block{0, 0, 1000, 1260};
  const CaptionPlan plan = PlanCaptions(layout, PreviewSettings(), block, 20, kSquareLogo, {});
  EXPECT_EQ(plan.Texts[0], "");
  EXPECT_EQ(plan.Texts[1], "Sample text line 2");
  // The logo on top still takes the margin from the right side.
  EXPECT_EQ(plan.TextArea, (Rect{0, 0, 980, 1260}));
  // Line 1's share: 480 of 1260 points of the block.
  ASSERT_EQ(plan.Logos.size(), 1u);
  EXPECT_EQ(plan.Lines[0], (Rect{0, 0, 980, 480}));
  EXPECT_EQ(plan.Logos[0].Box, (Rect{250, 0, 730, 480}));
}

TEST(CaptionLogos, SingleLogoBesideTheTextOnEitherSide) {
  Montage layout;
  layout.SingleLogo = true;
  const Rect block{0, 0, 1000, 400};
  const CaptionPlan left = PlanCaptions(layout, PreviewSettings(), block, 10, kSquareLogo, {});
  EXPECT_EQ(left.TextArea, (Rect{210, 0, 1000, 400}));
  ASSERT_EQ(left.Logos.size(), 1u);
  EXPECT_EQ(left.Logos[0].Box, (Rect{0, 100, 200, 300}));

  layout.LogoLeft = false;
  const CaptionPlan right = PlanCaptions(layout, PreviewSettings(), block, 10, kSquareLogo, {});
  EXPECT_EQ(right.TextArea, (Rect{0, 0, 790, 400}));
  ASSERT_EQ(right.Logos.size(), 1u);
  EXPECT_EQ(right.Logos[0].Box, (Rect{800, 100, 1000, 300}));
  EXPECT_FALSE(right.Logos[0].RightImage);
}

// A logo of four flat blocks: white (the key) and near-white on top, black and white below.
class CaptionLogoDrawing : public testing::Test {
 protected:
  CaptionLogoDrawing() {
    settings_.LogoImage = folder_.Blocks("logo.jpg", 2, 2, {255, 250, 0, 255});
    layout_.SingleLogo = true;
    layout_.NumCaptionLines = 1;
    settings_.SampleCaptionText[0].clear();
  }

  // Draws the captions on a red ground and returns the surface.
  QImage Draw(std::uint32_t tolerance) {
    layout_.LogoTransparencyTolerance = tolerance;
    RasterDeviceContext dc(400, 200, 254, 254, kRed);
    const DisplayConverter converter;
    const RenderContext context{dc, converter, layout_, settings_, cache_};
    DrawnCaptions drawn = DrawCaptions(context, Rect{0, 0, 400, 200}, 0, nullptr);
    plan_ = drawn.Plan;
    lines_ = drawn.Lines;
    return dc.Image();
  }

  PictureFolder folder_;
  Montage layout_;
  PreviewSettings settings_;
  ImageCache cache_{LoadRetryPolicy::SingleAttempt()};
  CaptionPlan plan_;
  std::vector<DrawnText> lines_;
};

TEST_F(CaptionLogoDrawing, PixelsNearTheKeyColourAreTransparentWithinTheTolerance) {
  // The slot is 80 wide: the 16-pixel logo is stretched to 80 x 80 at (0, 60).
  const QImage keyed = Draw(15);
  ASSERT_EQ(plan_.Logos.size(), 1u);
  EXPECT_EQ(plan_.Logos[0].Box, (Rect{0, 60, 80, 140}));
  EXPECT_EQ(ColourAt(keyed, 20, 80), kRed);  // the key colour itself
  EXPECT_EQ(ColourAt(keyed, 60, 80), kRed);  // 3 x 5 = 15 away: transparent
  EXPECT_EQ(ColourAt(keyed, 20, 120), 0u);   // black stays
  EXPECT_EQ(ColourAt(keyed, 60, 120), kRed);

  EXPECT_TRUE(lines_.empty());  // the logo took the only line's place

  const QImage exact = Draw(0);
  EXPECT_EQ(ColourAt(exact, 20, 80), kRed);
  EXPECT_EQ(ColourAt(exact, 60, 80), MakeColourRef(250, 250, 250));
  EXPECT_EQ(ColourAt(exact, 20, 120), 0u);
}

TEST_F(CaptionLogoDrawing, MissingLogoFileDrawsNoLogoAndLeavesNoSlot) {
  settings_.LogoImage = folder_.Path("missing.jpg");
  settings_.SampleCaptionText[0] = "Class of 2024";
  const QImage image = Draw(15);
  EXPECT_TRUE(plan_.Logos.empty());
  EXPECT_EQ(plan_.TextArea, (Rect{0, 0, 400, 200}));
  EXPECT_FALSE(InkBox(image, image.rect(), kRed).isEmpty());
  ASSERT_EQ(lines_.size(), 1u);
  EXPECT_EQ(lines_[0].Role, TextRole::Caption);
  EXPECT_EQ(lines_[0].Line, 0u);
  EXPECT_EQ(lines_[0].Text, "Class of 2024");
  EXPECT_LE(lines_[0].Fit.Width, 400);
}

}  // namespace
