// Decoding a 12-megapixel colour JPEG into a 32-bit PLWinBmp, as the application loads its
// pictures. decode_vs_djpeg.sh runs this against libjpeg-turbo's djpeg on the same file.
//
//   jpeg_decode_bench --write-sample PATH [WIDTH HEIGHT]   makes the photo-like sample picture
//   jpeg_decode_bench --decode-once PATH                   decodes it once, for process timing
//   jpeg_decode_bench [benchmark flags]                    benchmarks; the picture is taken from
//                                                          MONTAGE_BENCH_JPEG or made on the spot
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/TestJpeg.h"
#include "toolkit/PLJPEGDecoder.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLWinBmp.h"

namespace {

void WriteSample(const std::string& path, int width, int height) {
  // Quality 90 with the default 2x2 chroma subsampling, as cameras and editors write photos.
  testsupport::WriteFile(
      path, testsupport::EncodeJpeg({.width = width, .height = height, .quality = 90}));
}

void DecodeFile(benchmark::State& state, const std::string& path, bool fast) {
  PLJPEGDecoder decoder;
  decoder.SetFastDecoding(fast);
  for (auto _ : state) {
    PLWinBmp bmp;
    decoder.DecodeFile(path, bmp, 32);
    benchmark::DoNotOptimize(bmp.RowTable()[0][0]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc >= 3 && std::strcmp(argv[1], "--write-sample") == 0) {
      WriteSample(argv[2], argc >= 5 ? std::atoi(argv[3]) : 4000,
                  argc >= 5 ? std::atoi(argv[4]) : 3000);
      return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "--decode-once") == 0) {
      PLJPEGDecoder decoder;
      PLWinBmp bmp;
      decoder.DecodeFile(argv[2], bmp, 32);
      return bmp.Width() > 0 ? 0 : 1;
    }
  } catch (const PLTextException& e) {
    std::fprintf(stderr, "%s", e.Message().c_str());
    return 1;
  }

  benchmark::Initialize(&argc, argv);
  std::string path;
  if (const char* given = std::getenv("MONTAGE_BENCH_JPEG")) {
    path = given;
  } else {
    path = "/tmp/montage-bench-" + std::to_string(::getpid()) + ".jpg";
    WriteSample(path, 4000, 3000);
  }
  benchmark::RegisterBenchmark("DecodeFile32/4000x3000", DecodeFile, path, true)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("DecodeFile32Smooth/4000x3000", DecodeFile, path, false)
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!std::getenv("MONTAGE_BENCH_JPEG")) std::remove(path.c_str());
  return 0;
}
