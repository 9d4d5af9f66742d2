#pragma once

class FontDetails;

// Lets the user edit the font in the font dialog, which starts from this font. OK stores the
// chosen face, size (tenths of a point), bold (weight 700 exactly), italic and colour in the font
// and returns true; Cancel changes nothing.
bool AskFont(FontDetails& font);
