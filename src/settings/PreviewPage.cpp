#include "settings/PreviewPage.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "layout/Montage.h"
#include "settings/PreviewSettings.h"

namespace {

// A paper side beyond the range of int, which only a hand-edited profile holds, is held at
// its end.
int Side(std::uint32_t length) {
  return static_cast<int>(std::min<std::uint32_t>(length, INT_MAX));
}

}  // namespace

Rect PreviewPage(const PreviewSettings& settings, const Montage& layout) {
  const int width = Side(settings.PaperWidth);
  const int height = Side(settings.PaperHeight);
  return layout.Portrait ? Rect{0, 0, height, width} : Rect{0, 0, width, height};
}
