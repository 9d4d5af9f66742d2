// A PNG pipeline compresses the rows it is told are finished while the picture is still drawn;
// whenever and however the rows are finished, and whatever happens to the picture afterwards,
// its file must be the one the encoder makes of the finished picture.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "output/CompositeOutput.h"
#include "output/PngEncoder.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

constexpr int kDotsPerMetre = 11811;  // 300 dpi

// Pixels of few levels, so that the pieces compress to streams of several blocks.
QImage Picture(int width, int height, unsigned seed) {
  QImage picture(width, height, QImage::Format_RGB32);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, (random() & 0x030303u) * 60);
  }
  return picture;
}

QByteArray Encoded(const QImage& picture) {
  std::string error;
  const QByteArray png = PngEncoder::Encode(picture, kDotsPerMetre, kDotsPerMetre, error);
  EXPECT_EQ(error, "");
  return png;
}

QByteArray FileOf(PngPipeline& pipeline, const QImage& picture) {
  std::string error;
  const QByteArray png = pipeline.Finish(picture, kDotsPerMetre, kDotsPerMetre, error);
  EXPECT_EQ(error, "");
  return png;
}

struct FinishingCase {
  const char* Name;
  int Width;
  int Height;
  std::vector<int> Finished;  // the rows said to be finished, in turn, before the end
};

class PngPipelineFinishing : public testing::TestWithParam<FinishingCase> {};

// 1000 pixels a row make 174 rows a piece.
INSTANTIATE_TEST_SUITE_P(
    Cases, PngPipelineFinishing,
    testing::Values(FinishingCase{"NothingBeforeTheEnd", 1000, 1000, {}},
                    FinishingCase{"EveryRowAtOnce", 1000, 1000, {1000}},
                    FinishingCase{"ExactlyAPieceThenOneRowShort", 1000, 1000, {174, 347}},
                    FinishingCase{"RowsInStepsAndPastTheEnd", 1000, 1000, {0, 90, 500, 2000}},
                    FinishingCase{"CountsThatGoBackAreIgnored", 1000, 1000, {600, 100}},
                    FinishingCase{"OnePiecePicture", 37, 5, {3, 5}},
                    FinishingCase{"OnePixel", 1, 1, {1}}),
    [](const testing::TestParamInfo<FinishingCase>& info) { return info.param.Name; });

TEST_P(PngPipelineFinishing, FileIsTheEncodersOfTheFinishedPicture) {
  const FinishingCase& test = GetParam();
  QImage picture = Picture(test.Width, test.Height, 3);
  // The rows below the finished ones go on changing until the end, as a drawing changes them.
  QImage finalPicture = Picture(test.Width, test.Height, 4);
  PngPipeline pipeline(picture);
  int finished = 0;
  for (const int rows : test.Finished) {
    for (int y = finished; y < std::min(rows, test.Height); ++y) {
      std::memcpy(picture.scanLine(y), finalPicture.constScanLine(y),
                  static_cast<std::size_t>(picture.bytesPerLine()));
    }
    finished = std::max(finished, std::min(rows, test.Height));
    pipeline.FinishRows(rows);
  }
  for (int y = finished; y < test.Height; ++y) {
    std::memcpy(picture.scanLine(y), finalPicture.constScanLine(y),
                static_cast<std::size_t>(picture.bytesPerLine()));
  }
  EXPECT_EQ(FileOf(pipeline, picture), Encoded(finalPicture));
}

TEST(PngPipeline, RowsLetGoMayChangeAgain) {
  QImage picture = Picture(1000, 1000, 5);
  PngPipeline pipeline(picture);
  pipeline.FinishRows(900);
  pipeline.LetGo();
  // A drawing reaching back into finished rows, once the pipeline has let go of them.
  picture.fill(qRgb(10, 20, 30));
  pipeline.FinishRows(1000);  // nothing is compressed early any more
  EXPECT_EQ(FileOf(pipeline, picture), Encoded(picture));
}

TEST(PngPipeline, PictureWhosePixelsAreElsewhereIsCompressedAnew) {
  const QImage drawing = Picture(1000, 700, 6);
  PngPipeline pipeline(drawing);
  pipeline.FinishRows(700);
  // The drawing went on in a copy of its own: the early pieces are of other pixels.
  const QImage copy = Picture(1000, 700, 7);
  EXPECT_EQ(FileOf(pipeline, copy), Encoded(copy));
}

TEST(PngPipeline, PictureOfOtherFormatsIsCompressedAtTheEnd) {
  QImage drawing = Picture(300, 400, 8).convertToFormat(QImage::Format_RGB888);
  PngPipeline pipeline(drawing);
  pipeline.FinishRows(400);
  EXPECT_EQ(FileOf(pipeline, drawing), Encoded(drawing));
}

TEST(PngPipeline, PipelineLeftUnfinishedStopsItsThread) {
  const QImage drawing = Picture(1000, 1000, 9);
  // Some rows finished and some not: the thread waiting for more must end with the pipeline.
  PngPipeline pipeline(drawing);
  pipeline.FinishRows(400);
}

// A compression that fails, here a level libdeflate does not have, is a picture that cannot be
// written, with the compressor's reason; the file that was there stays as it was.
TEST(PngPipeline, ACompressionThatFailsIsAWriteThatFails) {
  const ScratchFolder folder("png-pipeline-test");
  const std::filesystem::path target = folder.Write("composite.png", "earlier composite");
  QImage drawing = Picture(1000, 700, 10);
  PngPipeline pipeline(drawing, 13);
  pipeline.FinishRows(400);
  std::string error;
  EXPECT_FALSE(
      WriteComposite(drawing, target.string(), OutputFormat::Png, 300, 847, 593, error, &pipeline));
  EXPECT_EQ(error, "the picture could not be compressed: libdeflate has no compression level 13");
  EXPECT_EQ(ReadFile(target), "earlier composite");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
