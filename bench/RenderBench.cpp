// The composite renderer in the process: drawing the default layout with the sample picture at
// 150 dpi on a 10 x 8 inch page, with the subjects every drawing of the program chooses, and
// writing the composite as PNG at 150 and 300 dpi beside zlib and Qt's PNG writer.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/HeadlessApplication.h"
#include "cli/PreviewOptions.h"
#include "engine/CompositeRenderer.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "output/PngEncoder.h"
#include "output/RowFilter.h"
#include "platform/RasterDeviceContext.h"
#include "settings/PreviewSettings.h"

namespace {

constexpr int kDpi = 150;
const Rect kPage{0, 0, 2540, 2032};

// The built-in preview values with the installed samples and the number of images.
PreviewSettings Samples(std::uint32_t images) {
  PreviewSettings settings = PreviewOptions(MONTAGE_SAMPLE_FOLDER).Settings();
  settings.NumImages = images;
  return settings;
}

// Draws the composite as a drawing of the program does: the subjects the settings give, chosen
// afresh for each drawing.
CompositeContent Draw(RasterDeviceContext& dc, const Montage& layout,
                      const PreviewSettings& settings) {
  const DisplayConverter converter;
  const RenderContext context{dc, converter, layout, settings, ImageCache::Instance()};
  const CompositeSubjects subjects = CompositeSubjects::ForSettings(settings);
  return DrawComposite(context, kPage, subjects, false);
}

void BM_DrawDefaultComposite(benchmark::State& state) {
  const HeadlessApplication application;
  const PreviewSettings settings = Samples(static_cast<std::uint32_t>(state.range(0)));
  const Montage layout;
  for (auto _ : state) {
    RasterDeviceContext dc(1500, 1200, kDpi, kDpi);
    benchmark::DoNotOptimize(Draw(dc, layout, settings));
  }
}
BENCHMARK(BM_DrawDefaultComposite)
    ->Arg(20)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond);

// The composite of 20 images on the 10 x 8 inch page as PNG, side by side: our encoder; zlib at
// level 6 over the same filtered rows (the stream zlib's default level would make of them,
// counted with the 78 bytes of signature and chunks our files add); and Qt's PNG writer at its
// default, which is libpng with all its filters and zlib's default level 6. Each reports the
// file's size in the counter "bytes"; the argument is the resolution in dpi.
QImage DefaultComposite(int dpi) {
  RasterDeviceContext dc(static_cast<int>((kPage.Width() * dpi + 127) / 254),
                         static_cast<int>((kPage.Height() * dpi + 127) / 254), dpi, dpi);
  Draw(dc, Montage(), Samples(20));
  return dc.Image();
}

int DotsPerMetre(int dpi) { return static_cast<int>(dpi * 10000 / 254); }

void BM_EncodePng(benchmark::State& state) {
  const HeadlessApplication application;
  const int dpi = static_cast<int>(state.range(0));
  const QImage image = DefaultComposite(dpi);
  for (auto _ : state) {
    std::string error;
    const QByteArray png = PngEncoder::Encode(image, DotsPerMetre(dpi), DotsPerMetre(dpi), error);
    state.counters["bytes"] = static_cast<double>(png.size());
  }
}
BENCHMARK(BM_EncodePng)->Arg(150)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ZlibLevel6SameRows(benchmark::State& state) {
  const HeadlessApplication application;
  const QImage image = DefaultComposite(static_cast<int>(state.range(0)));
  constexpr double kPngFraming = 78;
  for (auto _ : state) {
    const std::size_t rowBytes = RowFilter::RowBytes(image.width());
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(image.height()));
    RowFilter(image.width()).Filter(image, 0, image.height(), rows.data());
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> stream(size);
    compress2(stream.data(), &size, rows.data(), static_cast<uLong>(rows.size()), 6);
    state.counters["bytes"] = static_cast<double>(size) + kPngFraming;
  }
}
BENCHMARK(BM_ZlibLevel6SameRows)->Arg(150)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QtPngWriter(benchmark::State& state) {
  const HeadlessApplication application;
  const QImage image = DefaultComposite(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(image);
    state.counters["bytes"] = static_cast<double>(buffer.size());
  }
}
BENCHMARK(BM_QtPngWriter)->Arg(150)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
