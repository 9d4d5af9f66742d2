#include "shell/FormApply.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/FormValues.h"

namespace {

TEST(FormApplyTest, ALayoutShownAndAppliedAgainIsUnchanged) {
  Montage layout;
  layout.CropHeight = 3;
  layout.BackgroundColour = "0A0B0C";
  layout.DropShadowRight = false;
  layout.CaptionFonts[2].FontName = "Liberation Serif";
  layout.NameFont.FontItalic = true;
  FormValues values;
  FormFonts fonts;
  FormApply::ShowLayout(layout, values, fonts);
  Montage applied;
  EXPECT_TRUE(FormApply::ApplyToLayout(values, fonts, applied));
  EXPECT_EQ(applied.BackgroundColour, "0A0B0C");
  EXPECT_EQ(applied.CaptionFonts[2].FontName, "Liberation Serif");
  EXPECT_EQ(FormApply::DescribeChange(layout, applied), "");
  EXPECT_FALSE(FormApply::ApplyToLayout(values, fonts, applied));
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
    FormValues values;
    FormApply::ShowSettings(settings, false, values);
    values.PaperRow = c.row;
    values.PaperHeight = c.height;
    values.PaperWidth = c.width;
    values.Portrait = c.portrait;
    EXPECT_EQ(FormApply::ApplyToSettings(values, false, settings), c.changed) << c.row;
    EXPECT_EQ(settings.PaperType, c.row == 5 && c.height == 2032 ? 4 : c.row);
  }
}

TEST(FormApplyTest, PreviewPathsGoBothWaysWithoutChangingThePage) {
  const std::pair<std::string FormValues::*, std::string PreviewSettings::*> paths[] = {
      {&FormValues::SampleImagePath, &PreviewSettings::SampleImagePath},
      {&FormValues::BackgroundImage, &PreviewSettings::BackgroundImage},
      {&FormValues::LogoImage, &PreviewSettings::LogoImage},
      {&FormValues::ClassListPath, &PreviewSettings::ClassListPath},
  };
  for (const auto& [form, setting] : paths) {
    PreviewSettings settings;
    FormValues values;
    FormApply::ShowSettings(settings, false, values);
    values.*form = "/home/ann/4B/class, \"list\".csv";
    EXPECT_FALSE(FormApply::ApplyToSettings(values, false, settings));
    EXPECT_EQ(settings.*setting, values.*form);
    FormValues shown;
    FormApply::ShowSettings(settings, false, shown);
    EXPECT_EQ(shown.*form, values.*form);
    EXPECT_TRUE(shown == values);
  }
}

}  // namespace
