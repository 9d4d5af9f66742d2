#pragma once

#include <cstdint>
#include <string>

// One font of a layout: colour text, face name, largest point size in tenths of a point, bold
// and italic.
class FontDetails {
 public:
  FontDetails() = default;
  FontDetails(std::string colour, std::string name, std::uint32_t point, bool bold, bool italic);

  std::string FontColour = "000000";
  std::string FontName = "Arial";
  std::uint32_t FontPoint = 100;
  bool FontBold = false;
  bool FontItalic = false;
};
