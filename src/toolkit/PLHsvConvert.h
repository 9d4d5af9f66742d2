#pragma once

// Conversions between RGB and HSV on 0 to 255 scales. Hue runs round a circle of 255, each of
// the six colour sectors spanning 42.5. The three values are passed by reference and replaced.

// (red, green, blue) becomes (hue, saturation, value); the inputs are truncated to integers.
void RgbToHsv(double& a, double& b, double& c);

// (hue, saturation, value) becomes (red, green, blue). A hue outside [0, 255) that falls in no
// sector leaves the three values unchanged; callers keep hue in range.
void HsvToRgb(double& a, double& b, double& c);
