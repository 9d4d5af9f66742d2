#pragma once

#include <cstdint>

// Smooth pseudo-random noise from a fixed seed: the same seed always gives the same values, on
// every machine, so the pictures drawn with it are reproducible.
class ValueNoise {
 public:
  explicit ValueNoise(std::uint32_t seed) : seed_(seed) {}

  // A value in [0, 1) that varies smoothly over about one unit.
  double At(double x, double y) const;
  // Several octaves added, each half as strong and twice as fine: a cloudy, mottled texture.
  double Fractal(double x, double y, int octaves) const;

 private:
  double Lattice(std::int64_t x, std::int64_t y) const;

  std::uint32_t seed_;
};
