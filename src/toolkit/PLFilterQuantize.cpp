#include "toolkit/PLFilterQuantize.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <span>
#include <vector>

#include "toolkit/PLBmp.h"
#include "toolkit/PLTextException.h"

namespace {

// Colours are counted in bins of 5 bits per channel: fine enough to tell the colours of a
// picture apart, coarse enough that the tables stay small.
constexpr int kBinShift = 3;
constexpr int kBinsPerAxis = 32;
constexpr int kBins = kBinsPerAxis * kBinsPerAxis * kBinsPerAxis;

constexpr int kOrderedDither[4][4] = {
    {-7, 1, -5, 3}, {5, -3, 7, -1}, {-4, 4, -6, 2}, {8, 0, 6, -2}};

int BinIndex(int red, int green, int blue) { return (red << 10) | (green << 5) | blue; }

int BinOfColour(int red, int green, int blue) {
  return BinIndex(red >> kBinShift, green >> kBinShift, blue >> kBinShift);
}

// Pixel counts and channel sums per bin, so that a palette entry can be the mean colour of
// the pixels it stands for rather than the centre of a bin.
struct Histogram {
  std::vector<std::uint32_t> Count = std::vector<std::uint32_t>(kBins);
  std::vector<std::uint64_t> Red = std::vector<std::uint64_t>(kBins);
  std::vector<std::uint64_t> Green = std::vector<std::uint64_t>(kBins);
  std::vector<std::uint64_t> Blue = std::vector<std::uint64_t>(kBins);
};

Histogram CountColours(const PLBmp& source) {
  Histogram histogram;
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* pixel = source.RowTable()[y];
    for (int x = 0; x < source.Width(); ++x, pixel += 4) {
      const int bin = BinOfColour(pixel[2], pixel[1], pixel[0]);
      ++histogram.Count[bin];
      histogram.Red[bin] += pixel[2];
      histogram.Green[bin] += pixel[1];
      histogram.Blue[bin] += pixel[0];
    }
  }
  return histogram;
}

std::uint8_t RoundedMean(std::uint64_t sum, std::uint64_t count) {
  return static_cast<std::uint8_t>((sum + count / 2) / count);
}

std::vector<PLPixel32> PopularityPalette(const Histogram& histogram) {
  std::vector<int> bins;
  for (int bin = 0; bin < kBins; ++bin) {
    if (histogram.Count[bin] != 0) bins.push_back(bin);
  }
  const auto kept = std::min<std::size_t>(bins.size(), 256);
  std::partial_sort(bins.begin(), bins.begin() + static_cast<std::ptrdiff_t>(kept), bins.end(),
                    [&](int a, int b) { return histogram.Count[a] > histogram.Count[b]; });
  std::vector<PLPixel32> palette;
  for (std::size_t i = 0; i < kept; ++i) {
    const int bin = bins[i];
    const std::uint64_t count = histogram.Count[bin];
    palette.push_back({RoundedMean(histogram.Blue[bin], count),
                       RoundedMean(histogram.Green[bin], count),
                       RoundedMean(histogram.Red[bin], count), 255});
  }
  return palette;
}

// A box of bins, bounds inclusive, axes red, green, blue.
struct Box {
  int Low[3] = {0, 0, 0};
  int High[3] = {kBinsPerAxis - 1, kBinsPerAxis - 1, kBinsPerAxis - 1};
  std::uint64_t Count = 0;

  bool Splittable() const { return Low[0] < High[0] || Low[1] < High[1] || Low[2] < High[2]; }
  template <typename Visit>
  void ForEachBin(Visit visit) const {
    for (int r = Low[0]; r <= High[0]; ++r) {
      for (int g = Low[1]; g <= High[1]; ++g) {
        for (int b = Low[2]; b <= High[2]; ++b) visit(r, g, b, BinIndex(r, g, b));
      }
    }
  }
};

// Shrinks the box to the bins that hold pixels and counts them.
void Shrink(Box& box, const Histogram& histogram) {
  int low[3] = {kBinsPerAxis, kBinsPerAxis, kBinsPerAxis};
  int high[3] = {-1, -1, -1};
  std::uint64_t count = 0;
  box.ForEachBin([&](int r, int g, int b, int bin) {
    if (histogram.Count[bin] == 0) return;
    count += histogram.Count[bin];
    const int at[3] = {r, g, b};
    for (int axis = 0; axis < 3; ++axis) {
      low[axis] = std::min(low[axis], at[axis]);
      high[axis] = std::max(high[axis], at[axis]);
    }
  });
  box.Count = count;
  if (count == 0) return;
  std::copy_n(low, 3, box.Low);
  std::copy_n(high, 3, box.High);
}

// Splits the box across its longest side where half of its pixels lie on either side.
std::pair<Box, Box> Split(const Box& box, const Histogram& histogram) {
  int axis = 0;
  for (int a = 1; a < 3; ++a) {
    if (box.High[a] - box.Low[a] > box.High[axis] - box.Low[axis]) axis = a;
  }
  std::vector<std::uint64_t> slices(kBinsPerAxis);
  box.ForEachBin([&](int r, int g, int b, int bin) {
    const int at[3] = {r, g, b};
    slices[at[axis]] += histogram.Count[bin];
  });
  int cut = box.Low[axis];
  std::uint64_t below = slices[cut];
  while (cut + 1 < box.High[axis] && below * 2 < box.Count) below += slices[++cut];
  Box lower = box;
  Box upper = box;
  lower.High[axis] = cut;
  upper.Low[axis] = cut + 1;
  Shrink(lower, histogram);
  Shrink(upper, histogram);
  return {lower, upper};
}

std::vector<PLPixel32> MedianCutPalette(const Histogram& histogram) {
  std::vector<Box> boxes(1);
  Shrink(boxes[0], histogram);
  if (boxes[0].Count == 0) return {};
  while (boxes.size() < 256) {
    auto largest = boxes.end();
    for (auto it = boxes.begin(); it != boxes.end(); ++it) {
      if (it->Splittable() && (largest == boxes.end() || it->Count > largest->Count)) {
        largest = it;
      }
    }
    if (largest == boxes.end()) break;
    auto [lower, upper] = Split(*largest, histogram);
    *largest = lower;
    boxes.push_back(upper);
  }
  std::vector<PLPixel32> palette;
  for (const Box& box : boxes) {
    std::uint64_t red = 0, green = 0, blue = 0;
    box.ForEachBin([&](int, int, int, int bin) {
      red += histogram.Red[bin];
      green += histogram.Green[bin];
      blue += histogram.Blue[bin];
    });
    palette.push_back({RoundedMean(blue, box.Count), RoundedMean(green, box.Count),
                       RoundedMean(red, box.Count), 255});
  }
  return palette;
}

// Finds the palette entry nearest to a colour exactly. For each bin it keeps only the entries
// that can be nearest to some colour of the bin, so a look-up compares a handful of entries
// instead of the whole palette; the lists are made when a bin is first met.
class NearestColour {
 public:
  explicit NearestColour(std::span<const PLPixel32> palette)
      : palette_(palette), candidates_(kBins), known_(kBins) {}

  std::uint8_t Find(int red, int green, int blue) {
    const int bin = BinOfColour(red, green, blue);
    if (!known_[bin]) {
      candidates_[bin] = CandidatesFor(red >> kBinShift, green >> kBinShift, blue >> kBinShift);
      known_[bin] = true;
    }
    int best = 0;
    int bestDistance = INT32_MAX;
    for (const std::uint8_t index : candidates_[bin]) {
      const PLPixel32& entry = palette_[index];
      const int dr = entry.Red - red, dg = entry.Green - green, db = entry.Blue - blue;
      const int distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = index;
      }
    }
    return static_cast<std::uint8_t>(best);
  }

 private:
  std::vector<std::uint8_t> CandidatesFor(int redBin, int greenBin, int blueBin) const {
    const int low[3] = {redBin << kBinShift, greenBin << kBinShift, blueBin << kBinShift};
    const int span = (1 << kBinShift) - 1;
    std::vector<int> nearest(palette_.size());
    std::vector<int> farthest(palette_.size());
    for (std::size_t i = 0; i < palette_.size(); ++i) {
      const int value[3] = {palette_[i].Red, palette_[i].Green, palette_[i].Blue};
      for (int axis = 0; axis < 3; ++axis) {
        const int lo = low[axis], hi = low[axis] + span, v = value[axis];
        const int inside = v < lo ? lo - v : (v > hi ? v - hi : 0);
        const int outside = std::max(std::abs(v - lo), std::abs(v - hi));
        nearest[i] += inside * inside;
        farthest[i] += outside * outside;
      }
    }
    // No entry farther from every colour of the bin than the best entry's worst case can win.
    const int bound = *std::min_element(farthest.begin(), farthest.end());
    std::vector<std::uint8_t> candidates;
    for (std::size_t i = 0; i < palette_.size(); ++i) {
      if (nearest[i] <= bound) candidates.push_back(static_cast<std::uint8_t>(i));
    }
    return candidates;
  }

  std::span<const PLPixel32> palette_;
  std::vector<std::vector<std::uint8_t>> candidates_;
  std::vector<bool> known_;
};

std::uint8_t Clamp(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

}  // namespace

PLFilterQuantize::PLFilterQuantize(int paletteMethod, int ditherMethod)
    : paletteMethod_(paletteMethod >= MedianCut && paletteMethod <= UserPalette ? paletteMethod
                                                                                : FixedPalette),
      ditherMethod_(ditherMethod == OrderedDither ? OrderedDither : NoDither) {}

PLFilterQuantize::Palette PLFilterQuantize::MakeFixedPalette() {
  Palette palette;
  for (int i = 0; i < 256; ++i) {
    palette[i] = {static_cast<std::uint8_t>((i & 3) * 255 / 3),
                  static_cast<std::uint8_t>(((i >> 2) & 7) * 255 / 7),
                  static_cast<std::uint8_t>(((i >> 5) & 7) * 255 / 7), 255};
  }
  return palette;
}

void PLFilterQuantize::Produce(const PLBmp& source, PLBmp& target) const {
  if (source.BitsPerPixel() != 32) {
    throw PLTextException(PL_ERRUNEXPECTED_DATA, "Quantizing needs a 32-bit bitmap.");
  }
  std::vector<PLPixel32> palette;
  switch (paletteMethod_) {
    case MedianCut:
      palette = MedianCutPalette(CountColours(source));
      break;
    case Popularity:
      palette = PopularityPalette(CountColours(source));
      break;
    default: {
      const Palette chosen =
          paletteMethod_ == UserPalette && userPalette_ ? *userPalette_ : MakeFixedPalette();
      palette.assign(chosen.begin(), chosen.end());
    }
  }
  if (palette.empty()) palette.push_back({0, 0, 0, 255});

  target.Create(source.Width(), source.Height(), 8, false, false, nullptr, 0, source.Resolution());
  PLPixel32* targetPalette = target.Palette();
  std::fill_n(targetPalette, 256, PLPixel32{0, 0, 0, 255});
  std::copy(palette.begin(), palette.end(), targetPalette);

  NearestColour nearest(palette);
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* pixel = source.RowTable()[y];
    std::uint8_t* out = target.RowTable()[y];
    for (int x = 0; x < source.Width(); ++x, pixel += 4) {
      const int shift = ditherMethod_ == OrderedDither ? 2 * kOrderedDither[y & 3][x & 3] : 0;
      out[x] =
          nearest.Find(Clamp(pixel[2] + shift), Clamp(pixel[1] + shift), Clamp(pixel[0] + shift));
    }
  }
}
