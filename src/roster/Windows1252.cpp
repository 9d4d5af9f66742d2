#include "roster/Windows1252.h"

#include <array>

#include "roster/Utf8.h"

namespace {

constexpr char32_t kUndefined = 0xFFFD;

// The characters of 0x80 to 0x9F; from 0xA0 on the code page is Latin-1, whose bytes are their
// own code points.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC,     kUndefined, 0x201A, 0x0192, 0x201E, 0x2026,     0x2020, 0x2021,
    0x02C6,     0x2030,     0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined,
    kUndefined, 0x2018,     0x2019, 0x201C, 0x201D, 0x2022,     0x2013, 0x2014,
    0x02DC,     0x2122,     0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178};

}  // namespace

std::string Windows1252ToUtf8(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      decoded.push_back(c);
    } else if (byte < 0xA0) {
      AppendUtf8(decoded, kHighControls[byte - 0x80]);
    } else {
      AppendUtf8(decoded, byte);
    }
  }
  return decoded;
}
