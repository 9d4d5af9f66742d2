#pragma once

#include <array>
#include <string>

#include "layout/FontDetails.h"

class Montage;
class PreviewSettings;
struct FormValues;

// The layout's six fonts as the form edits them: working copies that reach the layout only when
// the form is applied.
// The members are named as the layout's, so one accessor serves both.
struct FormFonts {
  FontDetails NameFont;
  FontDetails MainNameFont;
  std::array<FontDetails, 4> CaptionFonts;
};

// Moves values between the form's values and the layout or the preview settings. Controls and
// messages are the form's business; these only copy, so each direction can be checked alone.
namespace FormApply {

// The layout's values into the layout part of the form's values, its fonts into the working
// copies.
void ShowLayout(const Montage& layout, FormValues& values, FormFonts& fonts);
// The layout part of the form's values and the working fonts into the layout. "Logo on top"
// wins over "Logo on left", so the two are never both set. True when the crop proportions
// changed, which makes every cached picture the wrong shape.
bool ApplyToLayout(const FormValues& values, const FormFonts& fonts, Montage& layout);

// The preview settings into the preview part of the form's values; the paper's height and width
// are shown as the page stands when the layout is portrait.
void ShowSettings(const PreviewSettings& settings, bool portrait, FormValues& values);
// The preview part of the form's values into the settings. portraitBefore is the layout's
// orientation before this apply; a custom size is taken in the orientation the form shows.
// True when the page changed (paper, size or orientation), which leaves cached pictures cut to
// the old page's shape.
bool ApplyToSettings(const FormValues& values, bool portraitBefore, PreviewSettings& settings);

// What an apply changed in the layout, for the Undo command: the form's label of the one thing
// changed ("Outer Margin", "Small Font"), "changes" when several were, empty when none was.
std::string DescribeChange(const Montage& before, const Montage& after);

}  // namespace FormApply
