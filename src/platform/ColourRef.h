#pragma once

#include <cstdint>

// A 24-bit colour packed as the Windows COLORREF is: red in the low byte, then green, then blue.
// Custom colours stored in the settings use this packing, so it is kept everywhere.
using ColourRef = std::uint32_t;

constexpr ColourRef MakeColourRef(unsigned red, unsigned green, unsigned blue) {
  return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned RedOf(ColourRef colour) { return colour & 0xFFu; }
constexpr unsigned GreenOf(ColourRef colour) { return (colour >> 8) & 0xFFu; }
constexpr unsigned BlueOf(ColourRef colour) { return (colour >> 16) & 0xFFu; }
