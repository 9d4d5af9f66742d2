#include "toolkit/PLHsvConvert.h"

#include <algorithm>
#include <cmath>

namespace {

// Truncates a channel towards zero. Channels are 0 to 255; anything far outside (or not a
// number) is pinned first, because converting it to an integer would be undefined.
int TruncateChannel(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::clamp(value, -65536.0, 65536.0));
}

}  // namespace

void RgbToHsv(double& a, double& b, double& c) {
  const int red = TruncateChannel(a);
  const int green = TruncateChannel(b);
  const int blue = TruncateChannel(c);
  const int max = std::max({red, green, blue});
  const int min = std::min({red, green, blue});
  double hue = 0.0;
  double saturation = 0.0;
  if (max != 0) {
    saturation = ((max - min) * 255) / static_cast<double>(max);
    if (saturation != 0.0) {
      const double delta = max - min;
      double sector;
      if (red == max) {
        sector = (green - blue) / delta;
      } else if (green == max) {
        sector = (blue - red) / delta + 2.0;
      } else {
        sector = (red - green) / delta + 4.0;
      }
      hue = sector * 42.5;
      if (hue < 0.0) hue += 255.0;
      if (hue > 255.0) hue -= 255.0;
    }
  }
  a = hue;
  b = saturation;
  c = max;
}

void HsvToRgb(double& a, double& b, double& c) {
  const double hue = a;
  const double saturation = b;
  const double value = c;
  if (std::fabs(saturation) < 1.0) {  // saturation truncates to 0
    a = b = c = value;
    return;
  }
  const double x = hue * 6.0 / 255.0;
  // Hues that truncate to no sector (255 or more, -42.5 or less, not a number) change nothing.
  if (!(x > -1.0 && x < 6.0)) return;
  const int sector = static_cast<int>(x);
  const double f = x - sector;
  const double s = saturation / 255.0;
  const double v = value / 255.0;
  const double p = (1.0 - s) * v;
  const double q = (1.0 - f * s) * v;
  const double t = (1.0 - (1.0 - f) * s) * v;
  struct Rgb {
    double Red, Green, Blue;
  } rgb;
  switch (sector) {
    case 0:
      rgb = {v, t, p};
      break;
    case 1:
      rgb = {q, v, p};
      break;
    case 2:
      rgb = {p, v, t};
      break;
    case 3:
      rgb = {p, q, v};
      break;
    case 4:
      rgb = {t, p, v};
      break;
    case 5:
      rgb = {v, p, q};
      break;
    default:
      return;
  }
  a = rgb.Red * 255.0;
  b = rgb.Green * 255.0;
  c = rgb.Blue * 255.0;
}
