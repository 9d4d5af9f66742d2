#include "images/ImageAdjustments.h"

#include <tuple>

#include "records/Archive.h"

namespace {

// The fields in declaration order, so that comparing, writing and reading cannot disagree.
template <typename Adjustments>
auto Fields(Adjustments& a) {
  return std::tie(a.QuarterTurns, a.Lightness, a.Red, a.Green, a.Blue, a.BalancedColour, a.Contrast,
                  a.Hue, a.Saturation, a.Brightness, a.VerticalShift, a.HorizontalShift, a.Zoom,
                  a.UseExifOrientation);
}

}  // namespace

bool operator==(const ImageAdjustments& a, const ImageAdjustments& b) {
  return Fields(a) == Fields(b);
}

Archive& ImageAdjustments::WriteArchive(Archive& archive) const {
  std::apply(
      [&](const auto&... field) {
        auto write = [&](const auto& value) {
          if constexpr (std::is_same_v<std::decay_t<decltype(value)>, bool>) {
            archive.WriteFlag(value);
          } else {
            archive.WriteInt(value);
          }
        };
        (write(field), ...);
      },
      Fields(*this));
  return archive;
}

Archive& ImageAdjustments::ReadArchive(Archive& archive) {
  // Read into a copy so that an archive that ends part-way leaves the adjustments as they were.
  ImageAdjustments read;
  std::apply(
      [&](auto&... field) {
        auto take = [&](auto& value) {
          using Value = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<Value, bool>) {
            value = archive.ReadFlag();
          } else {
            value = static_cast<Value>(archive.ReadInt());
          }
        };
        (take(field), ...);
      },
      Fields(read));
  *this = read;
  return archive;
}
