#include "layout/FontDetails.h"

#include <utility>

FontDetails::FontDetails(std::string colour, std::string name, std::uint32_t point, bool bold,
                         bool italic)
    : FontColour(std::move(colour)),
      FontName(std::move(name)),
      FontPoint(point),
      FontBold(bold),
      FontItalic(italic) {}
