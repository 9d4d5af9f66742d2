#include "shell/form/FontQuestion.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "layout/ColourText.h"
#include "layout/FontDetails.h"
#include "platform/ModalQuestions.h"

bool AskFont(FontDetails& font) {
  FontChoice initial;
  initial.FaceName = font.FontName;
  initial.PointTenths = static_cast<int>(std::min<std::uint32_t>(font.FontPoint, INT32_MAX));
  initial.Weight = font.FontBold ? 700 : 400;
  initial.Italic = font.FontItalic;
  initial.Colour = ParseColour(font.FontColour);
  font.Hook7();
  const std::optional<FontChoice> chosen = ModalQuestions::Current().AskFont(initial);
  if (chosen) {
    font.FontName = chosen->FaceName;
    font.FontPoint = static_cast<std::uint32_t>(std::max(chosen->PointTenths, 0));
    // Semibold and heavier faces are not bold: the layout knows only normal and 700.
    font.FontBold = chosen->Weight == 700;
    font.FontItalic = chosen->Italic;
    font.SetColour(chosen->Colour);
    font.Hook12(2);
  }
  font.Hook8();
  return chosen.has_value();
}
