#include "shell/form/FormApply.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "FormTestSupport.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/form/FormDraft.h"

namespace {

TEST(FormApplyTest, ALayoutShownAndAppliedAgainIsUnchanged) {
  Montage layout;
  layout.CropHeight = 3;
  layout.BackgroundColour = "0A0B0C";
  layout.DropShadowRight = false;
  layout.CaptionFonts[2].FontName = "Liberation Serif";
  layout.NameFont.FontItalic = true;
  FormDraft draft;
  FormApply::ShowLayout(layout, draft);
  Montage applied;
  EXPECT_TRUE(FormApply::ApplyToLayout(draft, applied));
  EXPECT_EQ(applied.BackgroundColour, "0A0B0C");
  EXPECT_EQ(applied.CaptionFonts[2].FontName, "Liberation Serif");
  EXPECT_EQ(FormApply::DescribeChange(layout, applied), "");
  EXPECT_FALSE(FormApply::ApplyToLayout(draft, applied));
}

TEST(FormApplyTest, TheChangeIsNamedByItsLabel) {
  const struct {
    std::function<void(Montage&)> change;
    const char* description;
  } cases[] = {
      {[](Montage&) {}, ""},
      {[](Montage& m) { m.OuterMargin = 50; }, "Outer Margin"},
      {[](Montage& m) { m.CropWidth = 5; }, "Proport'n"},
      {[](Montage& m) { m.CropHeight = m.CropWidth = 5; }, "Proport'n"},
      {[](Montage& m) { m.PrintNames = true; }, "Print names (if available)"},
      {[](Montage& m) { m.NameFont.FontPoint = 90; }, "Small Font"},
      {[](Montage& m) { m.CaptionFonts[3].FontColour = "000001"; }, "Line 4 Font"},
      {[](Montage& m) { m.CaptionPosition = 0; }, "Caption Posit'n"},
      {[](Montage& m) { m.LogoLeft = false; }, "Logo on left"},
      {[](Montage& m) { m.InnerFrameColour = "123456"; }, "Inner Frame Colour"},
      // The same colour in other letters draws the same: no change to undo.
      {[](Montage& m) { m.InnerFrameColour = "aaaaaa"; }, ""},
      {[](Montage& m) { m.InnerFrame = 1, m.OuterFrame = 2; }, "changes"},
  };
  for (const auto& c : cases) {
    Montage after;
    c.change(after);
    EXPECT_EQ(FormApply::DescribeChange(Montage(), after), c.description);
  }
}

TEST(FormApplyTest, PaperChangesAreJudgedAgainstThePageAsItStood) {
  const struct {
    int row;
    std::uint32_t height, width;
    bool portrait;
    bool changed;
  } cases[] = {
      {4, 2032, 2540, false, false}, {3, 1778, 2540, false, true},
      {4, 2540, 2032, true, true},   // turned portrait
      {5, 2032, 2540, false, true},  // custom of the preset's size: row 4 again
      {5, 2000, 2540, false, true},
  };
  for (const auto& c : cases) {
    PreviewSettings settings;
    FormDraft draft;
    FormApply::ShowSettings(settings, false, draft);
    draft.Paper = {c.row, c.height, c.width};
    draft.Layout.Portrait = c.portrait;
    EXPECT_EQ(FormApply::ApplyToSettings(draft, false, settings), c.changed) << c.row;
    EXPECT_EQ(settings.PaperType, c.row == 5 && c.height == 2032 ? 4 : c.row);
  }
}

TEST(FormApplyTest, PreviewPathsGoBothWaysWithoutChangingThePage) {
  for (std::string PreviewSettings::*path :
       {&PreviewSettings::SampleImagePath, &PreviewSettings::BackgroundImage,
        &PreviewSettings::LogoImage, &PreviewSettings::ClassListPath}) {
    PreviewSettings settings;
    FormDraft draft;
    FormApply::ShowSettings(settings, false, draft);
    draft.Settings.*path = "/home/ann/4B/class, \"list\".csv";
    EXPECT_FALSE(FormApply::ApplyToSettings(draft, false, settings));
    EXPECT_EQ(settings.*path, draft.Settings.*path);
    FormDraft shown;
    FormApply::ShowSettings(settings, false, shown);
    EXPECT_EQ(shown.Settings.*path, draft.Settings.*path);
    EXPECT_TRUE(SameShown(shown, draft));
  }
}

}  // namespace
