#include "shell/form/FormApply.h"

#include <algorithm>
#include <type_traits>
#include <vector>

#include "layout/ColourText.h"
#include "shell/form/FormDraft.h"

namespace {

// A font takes only its five values, not the record identity of the font it came from; a colour
// is stored in the one way the form writes colours.
template <typename Value>
void Assign(const FormField&, Value& to, const Value& from) {
  to = from;
}
void Assign(const FormField& field, std::string& to, const std::string& from) {
  to = field.Kind == FieldKind::Colour ? ColourText(ParseColour(from)) : from;
}
void Assign(const FormField&, FontDetails& to, const FontDetails& from) { to.CopyValues(from); }

// Two values are the same when they draw the same. Colour texts are compared as colours, so a
// lower-case colour from a hand-edited file does not count as a change once the form rewrites it.
template <typename Value>
bool Same(const FormField&, const Value& a, const Value& b) {
  return a == b;
}
bool Same(const FormField& field, const std::string& a, const std::string& b) {
  return field.Kind == FieldKind::Colour ? ParseColour(a) == ParseColour(b) : a == b;
}
bool Same(const FormField&, const FontDetails& a, const FontDetails& b) {
  return ParseColour(a.FontColour) == ParseColour(b.FontColour) && a.FontName == b.FontName &&
         a.FontPoint == b.FontPoint && a.FontBold == b.FontBold && a.FontItalic == b.FontItalic;
}

// Calls visit with each field whose member belongs to the record type and that member.
template <typename Record, typename Visit>
void ForEachFieldOf(Visit visit) {
  for (const FormField& field : FormFields()) {
    if (!field.IsField()) continue;
    VisitTarget(field.Target, [&](const auto& member) {
      if constexpr (std::is_same_v<typename std::decay_t<decltype(member)>::Record, Record>) {
        visit(field, member);
      }
    });
  }
}

template <typename Record>
void CopyFields(const Record& from, Record& to) {
  ForEachFieldOf<Record>([&](const FormField& field, const auto& member) {
    Assign(field, member.In(to), member.In(from));
  });
}

// The paper as the form shows it for the page's orientation.
ShownPaper Shown(const PreviewSettings& settings, bool portrait) {
  return {settings.PaperType, portrait ? settings.PaperWidth : settings.PaperHeight,
          portrait ? settings.PaperHeight : settings.PaperWidth};
}

}  // namespace

namespace FormApply {

void ShowLayout(const Montage& layout, FormDraft& draft) { CopyFields(layout, draft.Layout); }

bool ApplyToLayout(const FormDraft& draft, Montage& layout) {
  const bool cropChanged =
      draft.Layout.CropHeight != layout.CropHeight || draft.Layout.CropWidth != layout.CropWidth;
  CopyFields(draft.Layout, layout);
  // A single logo on top of the captions takes their first line, wherever "on left" would put it.
  layout.LogoLeft = draft.Layout.LogoLeft && !draft.Layout.LogoTop;
  return cropChanged;
}

void ShowSettings(const PreviewSettings& settings, bool portrait, FormDraft& draft) {
  CopyFields(settings, draft.Settings);
  draft.Paper = Shown(settings, portrait);
}

bool ApplyToSettings(const FormDraft& draft, bool portraitBefore, PreviewSettings& settings) {
  // The paper is compared as the page stood before, so turning the page counts as a change even
  // when the paper stays the same.
  const bool pageChanged =
      draft.Paper != Shown(settings, portraitBefore) || draft.Layout.Portrait != portraitBefore;
  settings.SetPaperType(draft.Paper.Row);
  if (settings.PaperType == PreviewSettings::CustomPaperType) {
    // The fields show the page as the "Orient paper portrait" box now says, which the layout
    // takes on in this same apply; reading them in the old orientation would store a portrait
    // custom page turned on its side.
    settings.SetPaperHeight(draft.Paper.Height, draft.Layout.Portrait);
    settings.SetPaperWidth(draft.Paper.Width, draft.Layout.Portrait);
  }
  CopyFields(draft.Settings, settings);
  return pageChanged;
}

std::string DescribeChange(const Montage& before, const Montage& after) {
  std::vector<std::string> changed;
  ForEachFieldOf<Montage>([&](const FormField& field, const auto& member) {
    const std::string description = field.UndoDescription();
    if (!Same(field, member.In(before), member.In(after)) &&
        std::find(changed.begin(), changed.end(), description) == changed.end()) {
      changed.push_back(description);
    }
  });
  if (changed.empty()) return {};
  return changed.size() == 1 ? changed.front() : "changes";
}

}  // namespace FormApply
