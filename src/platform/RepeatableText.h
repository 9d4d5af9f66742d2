#pragma once

// Makes the text this process draws come out in the same pixels however often, and after
// whatever other text, it is drawn. Qt's FreeType font engines keep the glyphs they have drawn,
// and a glyph drawn again from what they kept can come out a few levels of grey different from
// its first drawing: a school's composites drawn one after another would differ from the same
// composites drawn each on its own, and a retake from the file it replaces. Call first thing in
// main, before any thread starts and before Qt makes a font.
void MakeTextRepeatable();
