#pragma once

#include <cmath>
#include <limits>

// Truncates towards zero as the engine's integer positions require. A value beyond the range of
// int, which only absurd layout values produce, is held at the nearest end instead of invoking
// undefined behaviour, and NaN counts as 0.
inline int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double low = std::numeric_limits<int>::min();
  constexpr double high = std::numeric_limits<int>::max();
  if (value <= low) return std::numeric_limits<int>::min();
  if (value >= high) return std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

// Narrows a wide integer to int, holding it at the nearest end of the range.
inline int SaturateToInt(long long value) {
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(value);
}
