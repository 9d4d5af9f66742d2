// The composite renderer in the process: drawing the default layout with the sample picture at
// 150 dpi on a 10 x 8 inch page, and writing the result as a PNG.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>

#include "cli/HeadlessApplication.h"
#include "cli/PreviewOptions.h"
#include "engine/CompositeRenderer.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "output/PngEncoder.h"
#include "output/PreviewSubjects.h"
#include "platform/RasterDeviceContext.h"

namespace {

constexpr int kDpi = 150;
const Rect kPage{0, 0, 2540, 2032};

void BM_DrawDefaultComposite(benchmark::State& state) {
  const HeadlessApplication application;
  const PreviewOptions options(MONTAGE_SAMPLE_FOLDER);
  const Montage layout;
  const PreviewSubjects subjects(static_cast<std::uint32_t>(state.range(0)));
  ImageCache& cache = ImageCache::Instance();
  for (auto _ : state) {
    RasterDeviceContext dc(1500, 1200, kDpi, kDpi);
    const DisplayConverter converter;
    const RenderContext context{dc, converter, layout, options.Settings(), cache};
    benchmark::DoNotOptimize(
        DrawComposite(context, kPage, subjects.Portraits(), subjects.Main(), false));
  }
}
BENCHMARK(BM_DrawDefaultComposite)
    ->Arg(20)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond);

// The composite of 20 images as PNG: our encoder, and Qt's writer at its default level for
// comparison.
QImage DefaultComposite() {
  const PreviewOptions options(MONTAGE_SAMPLE_FOLDER);
  const Montage layout;
  const PreviewSubjects subjects(20);
  RasterDeviceContext dc(1500, 1200, kDpi, kDpi);
  const DisplayConverter converter;
  const RenderContext context{dc, converter, layout, options.Settings(), ImageCache::Instance()};
  DrawComposite(context, kPage, subjects.Portraits(), subjects.Main(), false);
  return dc.Image();
}

void BM_EncodePng(benchmark::State& state) {
  const HeadlessApplication application;
  const QImage image = DefaultComposite();
  for (auto _ : state) {
    const QByteArray png = PngEncoder::Encode(image, 5906, 5906);
    state.counters["bytes"] = static_cast<double>(png.size());
  }
}
BENCHMARK(BM_EncodePng)->Unit(benchmark::kMillisecond);

void BM_QtPngWriter(benchmark::State& state) {
  const HeadlessApplication application;
  const QImage image = DefaultComposite();
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(image);
    state.counters["bytes"] = static_cast<double>(buffer.size());
  }
}
BENCHMARK(BM_QtPngWriter)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
