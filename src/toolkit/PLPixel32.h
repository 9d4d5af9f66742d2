#pragma once

#include <cstdint>

// One 32-bit pixel or palette entry in memory order. The same four bytes are a Windows
// colour-table entry, so a palette can be handed to the drawing surface as it is.
struct PLPixel32 {
  std::uint8_t Blue = 0;
  std::uint8_t Green = 0;
  std::uint8_t Red = 0;
  std::uint8_t Alpha = 0;
  friend bool operator==(const PLPixel32&, const PLPixel32&) = default;
};

static_assert(sizeof(PLPixel32) == 4);
