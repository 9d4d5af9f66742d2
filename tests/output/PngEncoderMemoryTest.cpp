// What the PNG encoder does when memory runs out: it gives no bytes and says so, whichever of its
// threads ran out, rather than end the program. Memory is made to run out for real: each case runs
// in a child process whose address space may grow only a few megabytes.
#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <string>

#include "output/PngEncoder.h"
#include "support/ChildProcess.h"

namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

enum Outcome { kNoBytes = 10, kPicture = 11, kDamaged = 12 };

TEST(PngEncoderMemory, RunningOutGivesNoBytesInsteadOfEndingTheProgram) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers end the program when operator new cannot allocate";
#endif
  // Noise compresses to about its own size, so every piece needs room of its own.
  QImage noise(3000, 2000, QImage::Format_RGB32);
  std::mt19937 random(13);
  for (int y = 0; y < noise.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(noise.scanLine(y));
    for (int x = 0; x < noise.width(); ++x) row[x] = random() | 0xFF000000u;
  }
  // From no room for a second thread's stack to room for it and a few pieces, so that the
  // encoder's own thread or the one it starts runs out first.
  int ranOut = 0;
  for (const std::size_t headroom : {4, 9, 10, 11, 12, 14, 16, 20}) {
    SCOPED_TRACE(testing::Message() << headroom << " MiB");
    const int outcome = testsupport::WithMemoryLimit(headroom * kMegabyte, [&] {
      std::string error;
      const QByteArray png = PngEncoder::Encode(noise, 0, 0, error);
      if (png.isEmpty())
        return error == "not enough memory to encode the picture" ? kNoBytes : kDamaged;
      if (!testsupport::LiftMemoryLimit()) return kDamaged;
      QImage decoded;
      return decoded.loadFromData(png, "PNG") && decoded.size() == noise.size() ? kPicture
                                                                                : kDamaged;
    });
    EXPECT_TRUE(outcome == kNoBytes || outcome == kPicture) << outcome;
    ranOut += outcome == kNoBytes;
  }
  EXPECT_GT(ranOut, 0);
}

}  // namespace
