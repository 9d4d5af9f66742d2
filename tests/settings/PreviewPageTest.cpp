#include "settings/PreviewPage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "layout/Montage.h"
#include "settings/PreviewSettings.h"

namespace {

TEST(PreviewPage, IsThePaperTurnedUprightForAPortraitLayout) {
  const struct {
    std::uint32_t height, width;
    bool portrait;
    Rect page;
  } cases[] = {
      {1270, 1778, false, {0, 0, 1778, 1270}},
      {1270, 1778, true, {0, 0, 1270, 1778}},
      // A side past the range of int, which only a hand-edited profile holds, stops at its end.
      {1270, UINT32_MAX, false, {0, 0, INT_MAX, 1270}},
  };
  for (const auto& c : cases) {
    PreviewSettings settings;
    settings.PaperHeight = c.height;
    settings.PaperWidth = c.width;
    Montage layout;
    layout.Portrait = c.portrait;
    EXPECT_EQ(PreviewPage(settings, layout), c.page) << c.width << (c.portrait ? " portrait" : "");
  }
}

}  // namespace
