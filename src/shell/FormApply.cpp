#include "shell/FormApply.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "layout/ColourText.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/FormValues.h"

namespace {

// One layout field that a control of the form holds, with the label the form shows for it. A
// label shared by two fields (the two numbers of the proportions) names them together.
template <typename FormType, typename LayoutType>
struct Field {
  FormType FormValues::*Form;
  LayoutType Montage::*Layout;
  const char* Label;
};

constexpr Field<std::uint32_t, std::uint32_t> kNumbers[] = {
    {&FormValues::CropHeight, &Montage::CropHeight, "Proport'n"},
    {&FormValues::CropWidth, &Montage::CropWidth, "Proport'n"},
    {&FormValues::MainImageMultiple, &Montage::MainImageMultiple, "Main image size"},
    {&FormValues::ImageMargin, &Montage::ImageMargin, "Image Margin"},
    {&FormValues::OuterMargin, &Montage::OuterMargin, "Outer Margin"},
    {&FormValues::InnerFrame, &Montage::InnerFrame, "Inner Frame"},
    {&FormValues::OuterFrame, &Montage::OuterFrame, "Outer Frame"},
    {&FormValues::DropShadowWidth, &Montage::DropShadowWidth, "Drop Shadow Width"},
    {&FormValues::DropShadowDepth, &Montage::DropShadowDepth, "Shade"},
    {&FormValues::NumCaptionLines, &Montage::NumCaptionLines, "Number of lines"},
    {&FormValues::CaptionRows, &Montage::CaptionRows, "Image rows"},
    {&FormValues::CaptionCols, &Montage::CaptionCols, "Image cols"},
    {&FormValues::LogoTransparencyTolerance, &Montage::LogoTransparencyTolerance,
     "Transparency tolerance"},
};

constexpr Field<std::int32_t, std::int32_t> kChoices[] = {
    {&FormValues::MainImagePosition, &Montage::MainImagePosition, "Main Position"},
    {&FormValues::BackgroundType, &Montage::BackgroundType, "Background"},
    {&FormValues::CaptionPosition, &Montage::CaptionPosition, "Caption Posit'n"},
};

// LogoLeft is not here: it also depends on "Logo on top" (see ApplyToLayout).
constexpr Field<bool, bool> kFlags[] = {
    {&FormValues::PrintNames, &Montage::PrintNames, "Print names (if available)"},
    {&FormValues::OuterMargin3d, &Montage::OuterMargin3d, "Outer Margin 3D"},
    {&FormValues::InnerFrame3d, &Montage::InnerFrame3d, "Inner Frame 3D"},
    {&FormValues::OuterFrame3d, &Montage::OuterFrame3d, "Outer Frame 3D"},
    {&FormValues::PrintNamesFirstLast, &Montage::PrintNamesFirstLast, "Print name order"},
    {&FormValues::SortFirstName, &Montage::SortFirstName, "Sort name order"},
    {&FormValues::PrintNames2Lines, &Montage::PrintNames2Lines,
     "Print first and last name on separate lines"},
    {&FormValues::Portrait, &Montage::Portrait, "Orient paper portrait"},
    {&FormValues::BackgroundOverwrite, &Montage::BackgroundOverwrite,
     "Background overwrites outer margin"},
    {&FormValues::DropShadowRight, &Montage::DropShadowRight, "Drop Shadow L/R"},
    {&FormValues::PrintLogo, &Montage::PrintLogo, "Print logo"},
    {&FormValues::SingleLogo, &Montage::SingleLogo, "Single logo"},
    {&FormValues::LogoTop, &Montage::LogoTop, "Logo on top"},
    {&FormValues::CaptionAbove, &Montage::CaptionAbove,
     "On overlap print caption above the main image"},
};
constexpr const char* kLogoLeftLabel = "Logo on left";

constexpr Field<ColourRef, std::string> kColours[] = {
    {&FormValues::OuterMarginColour, &Montage::OuterMarginColour, "Outer Margin Colour"},
    {&FormValues::BackgroundColour, &Montage::BackgroundColour, "Background Colour"},
    {&FormValues::InnerFrameColour, &Montage::InnerFrameColour, "Inner Frame Colour"},
    {&FormValues::OuterFrameColour, &Montage::OuterFrameColour, "Outer Frame Colour"},
};

// The six fonts of the layout or of the form's working copies, in the order of kFontLabels.
template <typename Holder>
auto& FontAt(Holder& holder, std::size_t index) {
  if (index == 0) return holder.NameFont;
  if (index == 1) return holder.MainNameFont;
  return holder.CaptionFonts[index - 2];
}
constexpr const char* kFontLabels[] = {"Small Font",  "Main Font",   "Line 1 Font",
                                       "Line 2 Font", "Line 3 Font", "Line 4 Font"};

// Two fonts are the same when they draw the same; colour texts are compared as colours, so a
// lower-case colour from a hand-edited file does not count as a change once the form rewrites it.
bool SameFont(const FontDetails& a, const FontDetails& b) {
  return ParseColour(a.FontColour) == ParseColour(b.FontColour) && a.FontName == b.FontName &&
         a.FontPoint == b.FontPoint && a.FontBold == b.FontBold && a.FontItalic == b.FontItalic;
}

}  // namespace

namespace FormApply {

void ShowLayout(const Montage& layout, FormValues& values, FormFonts& fonts) {
  for (const auto& f : kNumbers) values.*f.Form = layout.*f.Layout;
  for (const auto& f : kChoices) values.*f.Form = layout.*f.Layout;
  for (const auto& f : kFlags) values.*f.Form = layout.*f.Layout;
  values.LogoLeft = layout.LogoLeft;
  for (const auto& f : kColours) values.*f.Form = ParseColour(layout.*f.Layout);
  for (std::size_t i = 0; i < std::size(kFontLabels); ++i) {
    FontAt(fonts, i).CopyValues(FontAt(layout, i));
  }
}

bool ApplyToLayout(const FormValues& values, const FormFonts& fonts, Montage& layout) {
  const bool cropChanged =
      values.CropHeight != layout.CropHeight || values.CropWidth != layout.CropWidth;
  for (const auto& f : kNumbers) layout.*f.Layout = values.*f.Form;
  for (const auto& f : kChoices) layout.*f.Layout = values.*f.Form;
  for (const auto& f : kFlags) layout.*f.Layout = values.*f.Form;
  layout.LogoLeft = values.LogoLeft && !values.LogoTop;
  for (const auto& f : kColours) layout.*f.Layout = ColourText(values.*f.Form);
  for (std::size_t i = 0; i < std::size(kFontLabels); ++i) {
    FontAt(layout, i).CopyValues(FontAt(fonts, i));
  }
  return cropChanged;
}

void ShowSettings(const PreviewSettings& settings, bool portrait, FormValues& values) {
  values.PaperRow = settings.PaperType;
  values.PaperHeight = portrait ? settings.PaperWidth : settings.PaperHeight;
  values.PaperWidth = portrait ? settings.PaperHeight : settings.PaperWidth;
  values.SampleImagePath = settings.SampleImagePath;
  values.SamplePortrait = settings.SamplePortrait;
  values.NumImages = settings.NumImages;
  values.BackgroundImage = settings.BackgroundImage;
  values.LogoImage = settings.LogoImage;
  values.ClassListPath = settings.ClassListPath;
  values.SampleCaptionText = settings.SampleCaptionText;
}

bool ApplyToSettings(const FormValues& values, bool portraitBefore, PreviewSettings& settings) {
  // The fields are compared as the page stood before, so turning the page counts as a change
  // even when the paper stays the same.
  const bool pageChanged =
      values.PaperRow != settings.PaperType ||
      values.PaperHeight != (portraitBefore ? settings.PaperWidth : settings.PaperHeight) ||
      values.PaperWidth != (portraitBefore ? settings.PaperHeight : settings.PaperWidth) ||
      values.Portrait != portraitBefore;
  settings.SetPaperType(values.PaperRow);
  if (settings.PaperType == PreviewSettings::CustomPaperType) {
    // The fields show the page as the "Orient paper portrait" box now says, which the layout
    // takes on in this same apply; reading them in the old orientation would store a portrait
    // custom page turned on its side.
    settings.SetPaperHeight(values.PaperHeight, values.Portrait);
    settings.SetPaperWidth(values.PaperWidth, values.Portrait);
  }
  settings.SampleImagePath = values.SampleImagePath;
  settings.SamplePortrait = values.SamplePortrait;
  settings.NumImages = values.NumImages;
  settings.BackgroundImage = values.BackgroundImage;
  settings.LogoImage = values.LogoImage;
  settings.ClassListPath = values.ClassListPath;
  settings.SampleCaptionText = values.SampleCaptionText;
  return pageChanged;
}

std::string DescribeChange(const Montage& before, const Montage& after) {
  std::vector<const char*> changed;
  const auto note = [&changed](bool differs, const char* label) {
    if (differs && std::find(changed.begin(), changed.end(), label) == changed.end()) {
      changed.push_back(label);
    }
  };
  for (const auto& f : kNumbers) note(before.*f.Layout != after.*f.Layout, f.Label);
  for (const auto& f : kChoices) note(before.*f.Layout != after.*f.Layout, f.Label);
  for (const auto& f : kFlags) note(before.*f.Layout != after.*f.Layout, f.Label);
  note(before.LogoLeft != after.LogoLeft, kLogoLeftLabel);
  for (const auto& f : kColours) {
    note(ParseColour(before.*f.Layout) != ParseColour(after.*f.Layout), f.Label);
  }
  for (std::size_t i = 0; i < std::size(kFontLabels); ++i) {
    note(!SameFont(FontAt(before, i), FontAt(after, i)), kFontLabels[i]);
  }
  if (changed.empty()) return {};
  return changed.size() == 1 ? changed.front() : "changes";
}

}  // namespace FormApply
