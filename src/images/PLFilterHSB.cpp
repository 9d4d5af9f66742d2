#include "images/PLFilterHSB.h"

#include <algorithm>
#include <cmath>

#include "toolkit/PLHsvConvert.h"

namespace {

constexpr double kHueCircle = 255.0;

// One turn brings every hue the adjustments can produce back onto the circle. Larger shifts
// never come from this program, but a stored record could carry one; they are wrapped as well
// rather than handed to the conversion outside its sectors.
double WrapHue(double hue) {
  if (hue >= kHueCircle) {
    hue -= kHueCircle;
  } else if (hue < 0) {
    hue += kHueCircle;
  }
  if (hue < 0 || hue >= kHueCircle) {
    hue = std::fmod(hue, kHueCircle);
    if (hue < 0) hue += kHueCircle;
    if (hue >= kHueCircle) hue = 0;
  }
  return hue;
}

std::uint8_t Store(double value) {
  if (value > 255) return 255;
  if (value < 0) return 0;
  return static_cast<std::uint8_t>(value);
}

}  // namespace

void PLFilterHSB::FilterPixel(const std::uint8_t* source, std::uint8_t* target) const {
  double h = source[2];
  double s = source[1];
  double v = source[0];
  RgbToHsv(h, s, v);
  s += saturation_;
  h = WrapHue(h + hue_);
  v += brightness_;
  HsvToRgb(h, s, v);
  double& red = h;
  double& green = s;
  double& blue = v;
  const double lowest = std::min({red, green, blue});
  if (lowest < 0) {
    red -= lowest;
    green -= lowest;
    blue -= lowest;
  }
  const double highest = std::max({red, green, blue});
  if (highest > 255) {
    red -= highest - 255;
    green -= highest - 255;
    blue -= highest - 255;
  }
  target[0] = Store(blue);
  target[1] = Store(green);
  target[2] = Store(red);
}
