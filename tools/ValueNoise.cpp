#include "ValueNoise.h"

#include <cmath>

namespace {

double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

double Mix(double a, double b, double t) { return a + (b - a) * t; }

}  // namespace

double ValueNoise::Lattice(std::int64_t x, std::int64_t y) const {
  // An integer hash of the lattice point (a variant of the MurmurHash3 finaliser).
  std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull;
  h ^= static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full;
  h ^= seed_;
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return static_cast<double>(h >> 11) / 9007199254740992.0;  // 53 bits into [0, 1)
}

double ValueNoise::At(double x, double y) const {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const auto ix = static_cast<std::int64_t>(fx);
  const auto iy = static_cast<std::int64_t>(fy);
  const double tx = Smooth(x - fx);
  const double ty = Smooth(y - fy);
  const double top = Mix(Lattice(ix, iy), Lattice(ix + 1, iy), tx);
  const double bottom = Mix(Lattice(ix, iy + 1), Lattice(ix + 1, iy + 1), tx);
  return Mix(top, bottom, ty);
}

double ValueNoise::Fractal(double x, double y, int octaves) const {
  double sum = 0.0;
  double weight = 0.5;
  double total = 0.0;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += weight * At(x, y);
    total += weight;
    // Each octave is turned and shifted as well as scaled, so that the lattices do not line up
    // and no row or column of the lattice shows as a crease.
    const double turnedX = x * 1.6 - y * 1.2 + 17.3;
    const double turnedY = x * 1.2 + y * 1.6 + 31.7;
    x = turnedX;
    y = turnedY;
    weight *= 0.5;
  }
  return sum / total;
}
