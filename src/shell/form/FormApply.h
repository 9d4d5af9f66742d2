#pragma once

#include <string>

class Montage;
class PreviewSettings;
struct FormDraft;

// Moves values between the form's draft and the layout or the preview settings, field by field as
// the form's table gives them. Controls and messages are the form's business; these only copy, so
// each direction can be checked alone.
namespace FormApply {

// The layout's fields and fonts into the draft.
void ShowLayout(const Montage& layout, FormDraft& draft);
// The draft's layout fields and fonts into the layout. "Logo on top" wins over "Logo on left", so
// the two are never both set. True when the crop proportions changed, which makes every cached
// picture the wrong shape.
bool ApplyToLayout(const FormDraft& draft, Montage& layout);

// The preview settings into the draft; the paper's height and width are shown as the page stands
// when the layout is portrait.
void ShowSettings(const PreviewSettings& settings, bool portrait, FormDraft& draft);
// The draft's preview fields into the settings. portraitBefore is the layout's orientation before
// this apply; a custom size is taken in the orientation the form shows. True when the page
// changed (paper, size or orientation), which leaves cached pictures cut to the old page's shape.
bool ApplyToSettings(const FormDraft& draft, bool portraitBefore, PreviewSettings& settings);

// What an apply changed in the layout, for the Undo command: the undo description of the one
// field changed ("Outer Margin", "Small Font"), "changes" when several were, empty when none was.
std::string DescribeChange(const Montage& before, const Montage& after);

}  // namespace FormApply
