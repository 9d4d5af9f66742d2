// Speed of the toolkit's filters, copies and stretched drawing on picture sizes the preview
// meets: a 12-megapixel photograph shrunk for a cell or enlarged for print, and a picture drawn
// into a small cell of the screen.
#include <benchmark/benchmark.h>

#include <QPoint>
#include <cstdint>

#include "platform/RasterDeviceContext.h"
#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLFilterCrop.h"
#include "toolkit/PLFilterResizeBilinear.h"
#include "toolkit/PLWinBmp.h"

namespace {

// A picture whose bytes all vary, so that no pass can take a shortcut over flat or zero areas.
void FillPicture(PLBmp& picture) {
  const int bytesPerPixel = picture.BitsPerPixel() / 8;
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.RowTable()[y];
    for (int x = 0; x < picture.Width() * bytesPerPixel; ++x) {
      row[x] = static_cast<std::uint8_t>(x * 7 + y * 13 + (x >> 5));
    }
  }
}

const PLWinBmp& Photograph() {
  static const PLWinBmp picture = [] {
    PLWinBmp p;
    p.Create(4000, 3000, 32, false, false);
    FillPicture(p);
    return p;
  }();
  return picture;
}

std::int64_t Bytes(const PLBmp& picture) {
  return std::int64_t{picture.Width()} * picture.Height() * picture.BitsPerPixel() / 8;
}

void BM_ResizeBilinear(benchmark::State& state) {
  const PLWinBmp& source = Photograph();
  const PLFilterResizeBilinear resize(static_cast<int>(state.range(0)),
                                      static_cast<int>(state.range(1)));
  PLWinBmp target;
  for (auto _ : state) {
    resize.FilterInto(source, target);
    benchmark::DoNotOptimize(target.RowTable()[0][0]);
  }
  // Bytes read plus bytes written.
  state.SetBytesProcessed(state.iterations() * (Bytes(source) + Bytes(target)));
}
BENCHMARK(BM_ResizeBilinear)
    ->Args({400, 300})
    ->Args({8000, 6000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ResizeBilinearInPlace(benchmark::State& state) {
  const PLFilterResizeBilinear resize(400, 300);
  PLWinBmp picture;
  for (auto _ : state) {
    state.PauseTiming();
    picture.CopyFrom(Photograph());
    state.ResumeTiming();
    picture.ApplyFilter(resize);
  }
}
BENCHMARK(BM_ResizeBilinearInPlace)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Crop(benchmark::State& state) {
  const PLWinBmp& source = Photograph();
  const PLFilterCrop crop(500, 500, 3500, 2500);
  PLWinBmp target;
  for (auto _ : state) {
    crop.FilterInto(source, target);
    benchmark::DoNotOptimize(target.RowTable()[0][0]);
  }
  state.SetBytesProcessed(state.iterations() * Bytes(target));
}
BENCHMARK(BM_Crop)->Unit(benchmark::kMillisecond)->UseRealTime();

// A copy into a bitmap of the same size, as filters that work in place end.
void BM_CopyFrom32(benchmark::State& state) {
  const PLWinBmp& source = Photograph();
  PLWinBmp target;
  for (auto _ : state) {
    target.CopyFrom(source, 0);
    benchmark::DoNotOptimize(target.RowTable()[0][0]);
  }
  state.SetBytesProcessed(state.iterations() * Bytes(source));
}
BENCHMARK(BM_CopyFrom32)->Unit(benchmark::kMillisecond)->UseRealTime();

// A copy into a new bitmap, as each cell of the preview makes of the sample picture: the cost
// of fresh memory is part of it.
void BM_CopyFrom32IntoNewBitmap(benchmark::State& state) {
  const PLWinBmp& source = Photograph();
  for (auto _ : state) {
    PLWinBmp target;
    target.CopyFrom(source, 0);
    benchmark::DoNotOptimize(target.RowTable()[0][0]);
  }
  state.SetBytesProcessed(state.iterations() * Bytes(source));
}
BENCHMARK(BM_CopyFrom32IntoNewBitmap)->Unit(benchmark::kMillisecond)->UseRealTime();

// The greyscale path of the application: 8-bit grey back to 32 bits.
void BM_CopyFrom8To32(benchmark::State& state) {
  PLAnyBmp grey;
  grey.Create(4000, 3000, 8, false, true);
  FillPicture(grey);
  PLWinBmp target;
  for (auto _ : state) {
    target.CopyFrom(grey, 32);
    benchmark::DoNotOptimize(target.RowTable()[0][0]);
  }
  state.SetBytesProcessed(state.iterations() * Bytes(target));
}
BENCHMARK(BM_CopyFrom8To32)->Unit(benchmark::kMillisecond)->UseRealTime();

// A cell of the preview: at 254 dpi one logical unit is one pixel.
void BM_BlitStretchedIntoCell(benchmark::State& state) {
  PLWinBmp picture;
  picture.Create(1000, 1250, 32, false, false);
  FillPicture(picture);
  RasterDeviceContext dc(200, 250, 254, 254);
  dc.SetViewportOrigin(QPoint(0, 250));
  for (auto _ : state) {
    picture.BlitStretched(dc, 0, 250, 200, -250, RasterOp::SrcCopy);
  }
  benchmark::DoNotOptimize(dc.Image().constBits());
  state.SetItemsProcessed(state.iterations() * 200 * 250);
}
BENCHMARK(BM_BlitStretchedIntoCell)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
