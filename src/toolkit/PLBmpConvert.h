#pragma once

class PLBmp;

// Converts every pixel of source into target, which already has source's size and its own
// depth (1, 8, 24 or 32 bits). Conversions to 8 bits are handled here only from 1 bit; the
// colour ones need a palette and go through PLFilterQuantize.
void PLConvertPixels(const PLBmp& source, PLBmp& target);
