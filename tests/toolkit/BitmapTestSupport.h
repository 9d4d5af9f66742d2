#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "toolkit/PLBmp.h"
#include "toolkit/PLPixel32.h"

// Pixel access for tests, always through the row table as a caller of the toolkit would.

inline PLPixel32 Pixel32(const PLBmp& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.RowTable()[y] + 4 * x;
  return {p[0], p[1], p[2], p[3]};
}

inline void SetPixel32(PLBmp& bitmap, int x, int y, PLPixel32 value) {
  std::uint8_t* p = bitmap.RowTable()[y] + 4 * x;
  p[0] = value.Blue;
  p[1] = value.Green;
  p[2] = value.Red;
  p[3] = value.Alpha;
}

// A grey pixel with the given alpha, written (v, v, v, a).
inline PLPixel32 Grey(int v, int alpha = 0) {
  const auto level = static_cast<std::uint8_t>(v);
  return {level, level, level, static_cast<std::uint8_t>(alpha)};
}

// Fills a 32-bit bitmap with a pattern in which every pixel differs from its neighbours.
inline void FillPattern(PLBmp& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      SetPixel32(bitmap, x, y,
                 {static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>(y * 13 + x),
                  static_cast<std::uint8_t>(x ^ y), static_cast<std::uint8_t>(x + y * 3)});
    }
  }
}

// A row of 32-bit pixels whose three colour bytes and fourth byte all equal the given values.
inline std::vector<std::uint8_t> RowOfValues(const std::vector<int>& values) {
  std::vector<std::uint8_t> bytes;
  for (int v : values) bytes.insert(bytes.end(), 4, static_cast<std::uint8_t>(v));
  return bytes;
}

// Every byte of row y, BytesPerLine long.
inline std::vector<std::uint8_t> RowBytes(const PLBmp& bitmap, int y, int length) {
  const std::uint8_t* row = bitmap.RowTable()[y];
  return std::vector<std::uint8_t>(row, row + length);
}

// Whether two bitmaps of one size and depth hold the same pixels in all rows, or in the first
// rows given.
inline bool SamePixels(const PLBmp& a, const PLBmp& b, int rows = INT_MAX) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.BitsPerPixel() != b.BitsPerPixel())
    return false;
  const auto lineBytes =
      static_cast<std::size_t>((std::int64_t{a.Width()} * a.BitsPerPixel() + 7) / 8);
  for (int y = 0; y < std::min(rows, a.Height()); ++y) {
    if (std::memcmp(a.RowTable()[y], b.RowTable()[y], lineBytes) != 0) return false;
  }
  return true;
}
