#include "engine/DisplayConverter.h"

#include <cstddef>
#include <string>

#include "engine/Truncate.h"
#include "layout/FontDetails.h"

namespace {

constexpr std::size_t MaxFaceNameCharacters = 31;

// The first characters of a UTF-8 name. Counting characters rather than bytes keeps a
// multi-byte letter whole; bytes that are not UTF-8 each count as one character.
std::string FirstCharacters(const std::string& text, std::size_t characters) {
  std::size_t end = 0;
  std::size_t counted = 0;
  while (end < text.size()) {
    const bool continuation = (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u;
    if (!continuation && counted++ == characters) break;
    ++end;
  }
  return text.substr(0, end);
}

}  // namespace

int DisplayConverter::MapX(int x) const {
  const long long offset = TruncToInt((static_cast<double>(x) - OriginX) * Scale);
  return SaturateToInt(offset + OffsetX);
}

int DisplayConverter::MapY(int y) const {
  const long long offset = TruncToInt((static_cast<double>(OriginY) - y) * Scale);
  return SaturateToInt(offset + OffsetY);
}

int DisplayConverter::MapLength(double length) const { return TruncToInt(length * Scale); }

Rect DisplayConverter::MapRect(const Rect& rect) const {
  return Rect{MapX(rect.Left), MapY(rect.Top), MapX(rect.Right), MapY(rect.Bottom)};
}

FontDescription DisplayConverter::DescribeFont(const FontDetails& font,
                                               std::uint32_t pointTenths) const {
  FontDescription description;
  description.PointTenths = TruncToInt(pointTenths * Scale);
  description.Weight = font.FontBold ? 700 : 400;
  description.Italic = font.FontItalic;
  description.FaceName = FirstCharacters(font.FontName, MaxFaceNameCharacters);
  return description;
}

SurfaceFont DisplayConverter::CreateFont(const DeviceContext& dc, const FontDetails& font,
                                         std::uint32_t pointTenths) const {
  return dc.CreatePointFontIndirect(DescribeFont(font, pointTenths));
}

SurfaceFont DisplayConverter::CreateFont(const DeviceContext& dc, const FontDetails& font) const {
  return CreateFont(dc, font, font.FontPoint);
}
