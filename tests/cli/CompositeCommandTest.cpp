// Runs "montage-designer grid" and "montage-designer render" as a user would, without a display.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"
#include "support/TextChanges.h"

namespace {

namespace fs = std::filesystem;

using Result = ProgramResult;

// The number that follows "key": in a JSON line.
std::string NumberAfter(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\":");
  if (at == std::string::npos) return {};
  const std::size_t start = at + key.size() + 3;
  return json.substr(start, json.find_first_of(",}", start) - start);
}

class CompositeCommandTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) const {
    return folder_.Write(name, bytes).string();
  }
  std::string Path(const std::string& name) const { return (folder_.Path() / name).string(); }

  // The default layout with some of its lines changed.
  std::string Layout(const std::string& name,
                     const std::vector<std::pair<std::string, std::string>>& changes = {}) const {
    return Write(name, testsupport::WithLines(DefaultLayoutText(), changes));
  }

  Result Run(const std::string& arguments) const { return RunProgram(arguments, folder_.Path()); }

  ScratchFolder folder_{"composite-command-test"};
};

// The whole object, which without a class names nobody.
TEST_F(CompositeCommandTest, GridReproducesTheDefaultLayoutExample) {
  const Result result = Run("grid '" + Layout("default.txt") + "'");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "{\"page\":[2540,2032],\"count\":19,\"rows\":4,\"cols\":8,\"cellWidth\":317.5,"
            "\"cellHeight\":508,\"cells\":[\"00000000\",\"00011000\",\"00011003\",\"33222233\"],"
            "\"mainBlock\":[3,1,5,3],\"captionBlock\":[2,3,6,4],\"imageMargin\":31,\"images\":["
            "[31,31,286,477],[348,31,603,477],[666,31,921,477],[983,31,1238,477],"
            "[1301,31,1556,477],[1618,31,1873,477],[1936,31,2191,477],[2253,31,2508,477],"
            "[31,539,286,985],[348,539,603,985],[666,539,921,985],[1618,539,1873,985],"
            "[1936,539,2191,985],[2253,539,2508,985],[31,1047,286,1493],[348,1047,603,1493],"
            "[666,1047,921,1493],[1618,1047,1873,1493],[1936,1047,2191,1493]],"
            "\"main\":[1014,570,1524,1462],\"captions\":[666,1555,1872,2001]}\n");
}

TEST_F(CompositeCommandTest, GridReproducesTheElevenImageExampleWithExactNumbers) {
  const std::string layout = Layout("eleven.txt", {{"MainImageMultiple,2", "MainImageMultiple,1"},
                                                   {"NumCaptionLines,4", "NumCaptionLines,0"}});
  const Result result = Run("grid '" + layout + "' --images 11");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(NumberAfter(result.out, "count"), "11");
  EXPECT_EQ(NumberAfter(result.out, "rows"), "3");
  EXPECT_EQ(NumberAfter(result.out, "cols"), "4");
  EXPECT_EQ(NumberAfter(result.out, "cellWidth"), "635");
  EXPECT_EQ(std::stod(NumberAfter(result.out, "cellHeight")), 2032.0 / 3.0);
  EXPECT_NE(result.out.find("\"cells\":[\"0000\",\"0000\",\"000\"]"), std::string::npos);
  EXPECT_NE(result.out.find("\"mainBlock\":[-1,-1,-1,-1],\"captionBlock\":[-1,-1,-1,-1]"),
            std::string::npos);
  // The short last row is shifted right by 1270 - 952 = 318 to centre it.
  EXPECT_NE(result.out.find("[381,1417,890,1968],[1016,1417,1525,1968],[1651,1417,2160,1968]]"),
            std::string::npos);
  EXPECT_NE(result.out.find("\"main\":null,\"captions\":null"), std::string::npos);
}

TEST_F(CompositeCommandTest, RenderWritesPngJpegAndPdfOfTheSameComposite) {
  const std::string layout = Layout("default.txt");
  ASSERT_EQ(Run("render '" + layout + "' -o '" + Path("c.png") + "' --dpi 30").status, 0);
  ASSERT_EQ(Run("render '" + layout + "' --dpi 30 -o '" + Path("c.JPG") + "'").status, 0);
  ASSERT_EQ(Run("render '" + layout + "' --output '" + Path("c.pdf") + "' --dpi 30").status, 0);

  const QImage png(QString::fromStdString(Path("c.png")));
  ASSERT_EQ(png.size(), QSize(300, 240));
  const QImage jpeg(QString::fromStdString(Path("c.JPG")));
  ASSERT_EQ(jpeg.size(), QSize(300, 240));
  long long difference = 0;
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 300; ++x)
      difference += std::abs(qGray(png.pixel(x, y)) - qGray(jpeg.pixel(x, y)));
  }
  EXPECT_LT(difference / (300 * 240), 4);
  EXPECT_EQ(ReadFile(Path("c.pdf")).rfind("%PDF", 0), 0u);

  // Drawn again from the PDF at the same resolution, the page is the PNG pixel for pixel.
  if (std::system("command -v pdftocairo >/dev/null") != 0) GTEST_SKIP() << "no pdftocairo";
  ASSERT_EQ(std::system(("pdftocairo -r 30 -png -singlefile '" + Path("c.pdf") + "' '" +
                         Path("from-pdf") + "'")
                            .c_str()),
            0);
  const QImage fromPdf =
      QImage(QString::fromStdString(Path("from-pdf.png"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(fromPdf.size(), png.size());
  int differing = 0;
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 300; ++x) differing += (png.pixel(x, y) != fromPdf.pixel(x, y));
  }
  EXPECT_EQ(differing, 0);
}

// A PNG's and a PDF's finished rows are compressed while the rest of the composite is drawn, and
// the PDF holds the PNG's rows losslessly. Both files must hold the same pixels, also where a
// drawing reaches back into rows already handed to the compressor, as a cell's edge rounding to
// the row above does in ClassWithMainImage with 100 images at 30 dpi (CompositeExportTest
// compares both with the composite drawn as a whole).
TEST_F(CompositeCommandTest, PngCompressedWhileDrawnHoldsThePixelsOfThePdf) {
  if (std::system("command -v pdfimages >/dev/null") != 0) GTEST_SKIP() << "no pdfimages";
  const fs::path layouts = fs::path(MONTAGE_BINARY_DIR) / "layouts";
  const struct {
    std::string layout;
    int images;
    int dpi;
  } cases[] = {
      {Layout("default.txt"), 20, 150},
      {(layouts / "ClassWithMainImage.txt").string(), 100, 30},
      {(layouts / "LogoAboveCaptions.txt").string(), 25, 100},
      {(layouts / "NamesOnTwoLinesColour.txt").string(), 35, 100},
      {(layouts / "TeamWithoutMainImage.txt").string(), 20, 60},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout + " with " + std::to_string(c.images) + " at " + std::to_string(c.dpi));
    const std::string options =
        " --images " + std::to_string(c.images) + " --dpi " + std::to_string(c.dpi) + " -o '";
    ASSERT_EQ(Run("render '" + c.layout + "'" + options + Path("c.png") + "'").status, 0);
    ASSERT_EQ(Run("render '" + c.layout + "'" + options + Path("c.pdf") + "'").status, 0);
    ASSERT_EQ(
        std::system(("pdfimages -png '" + Path("c.pdf") + "' '" + Path("in-pdf") + "'").c_str()),
        0);
    const QImage png =
        QImage(QString::fromStdString(Path("c.png"))).convertToFormat(QImage::Format_RGB32);
    const QImage inPdf = QImage(QString::fromStdString(Path("in-pdf-000.png")))
                             .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(png.isNull());
    EXPECT_TRUE(png == inPdf);
  }
}

TEST_F(CompositeCommandTest, PixelSizesRoundToTheNearestPixelHalvesUp) {
  const std::string layout = Layout("default.txt");
  // Paper in tenths of a millimetre at resolutions whose products are not whole pixels; the
  // resolution stored with the picture is rounded to whole dots per metre likewise.
  const struct {
    std::string paper;
    int dpi;
    QSize size;
    int dotsPerMetre;
  } cases[] = {
      {"1x2540", 127, {1270, 1}, 5000},     // half a pixel high: one
      {"3x7", 127, {4, 2}, 5000},           // 3.5 by 1.5
      {"1001x1001", 75, {296, 296}, 2953},  // 295.57, and 2952.76 dots per metre
      {"1x1", 254, {1, 1}, 10000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.paper + " at " + std::to_string(c.dpi));
    const std::string out = Path("rounded.png");
    const Result result = Run("render '" + layout + "' --images 0 --paper " + c.paper + " --dpi " +
                              std::to_string(c.dpi) + " -o '" + out + "'");
    ASSERT_EQ(result.status, 0) << result.err;
    const QImage image(QString::fromStdString(out));
    EXPECT_EQ(image.size(), c.size);
    EXPECT_EQ(image.dotsPerMeterX(), c.dotsPerMetre);
    EXPECT_EQ(image.dotsPerMeterY(), c.dotsPerMetre);
  }
}

TEST_F(CompositeCommandTest, EveryStarterLayoutRenders) {
  const fs::path layouts = fs::path(MONTAGE_BINARY_DIR) / "layouts";
  int count = 0;
  for (const auto& entry : fs::directory_iterator(layouts)) {
    SCOPED_TRACE(entry.path().string());
    const std::string out = Path(entry.path().stem().string() + ".png");
    const Result result = Run("render '" + entry.path().string() + "' -o '" + out + "' --dpi 20");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    // 10 by 8 inches at 20 dpi, upright or across as the layout turns the paper.
    const QImage image(QString::fromStdString(out));
    EXPECT_EQ(std::max(image.width(), image.height()), 200);
    EXPECT_EQ(std::min(image.width(), image.height()), 160);
    ++count;
  }
  EXPECT_GE(count, 4);
}

TEST_F(CompositeCommandTest, BadOptionsAndFilesAreRefusedWithAMessage) {
  const std::string layout = Layout("default.txt");
  const std::string out = " -o '" + Path("x.png") + "'";
  // A sample that cannot be read stops a render that passed every size check just after its
  // surface was made, so sizes at the limits are tried without drawing them.
  const std::string broken = " --sample '" + Write("broken.jpg", "not a picture") + "'";
  const std::string jpeg = " -o '" + Path("x.jpg") + "'" + broken;
  const struct {
    std::string arguments;
    int status;
    std::string message;
  } cases[] = {
      {"render", 2, "no layout file given"},
      {"grid '" + layout + "' '" + layout + "'", 2, "more than one layout file"},
      {"render '" + layout + "'", 2, "no output file given"},
      {"render '" + layout + "' -o '" + Path("x.gif") + "'", 2, "extension"},
      {"render '" + layout + "'" + out + " --dpi 0", 2, "--dpi takes"},
      {"render '" + layout + "'" + out + " --dpi 300x", 2, "--dpi takes"},
      {"render '" + layout + "'" + out + " --dpi 10000", 2, "choose a lower --dpi"},
      {"render '" + layout + "'" + out + " --dpi 10001", 2, "--dpi takes"},
      // 16384 x 16384 pixels are the 2^28 an export draws at most; 3078 x 87211 are the
      // fewest pixels beyond (2^28 + 2) that a whole number of them on each side gives.
      {"render '" + layout + "'" + out + broken + " --paper 16384x16384 --dpi 254", 1,
       "Could not read the sample image"},
      {"render '" + layout + "'" + out + broken + " --paper 3078x87211 --dpi 254", 2,
       "choose a lower --dpi"},
      // JPEG sides stop at what libjpeg can write.
      {"render '" + layout + "'" + jpeg + " --paper 1x65500 --dpi 254", 1,
       "Could not read the sample image"},
      {"render '" + layout + "'" + jpeg + " --paper 65501x1 --dpi 254", 2, "choose a lower --dpi"},
      {"render '" + layout + "'" + out + " --paper 1x100000 --dpi 1", 2, "less than a pixel"},
      // A tenth of a millimetre is just under half a pixel at 126 dpi.
      {"render '" + layout + "'" + out + " --paper 1x2540 --dpi 126", 2, "less than a pixel"},
      {"grid '" + layout + "' --images", 2, "needs a value"},
      {"grid '" + layout + "' --images -3", 2, "--images takes"},
      {"grid '" + layout + "' --images 100001", 2, "--images takes"},
      {"grid '" + layout + "' --paper 11x9cm", 2, "--paper takes"},
      {"grid '" + layout + "' --paper 0x2540", 2, "--paper takes"},
      {"grid '" + layout + "' --bogus", 2, "unknown option --bogus"},
      {"grid '" + layout + "' --sample '" + Path("nothing.jpg") + "'", 2, "no such file"},
      {"grid '" + layout + "' --class ''", 2, "--class needs the path of a class list"},
      {"grid '" + Path("missing.txt") + "'", 1, "cannot open"},
      {"grid '" + Write("not-layout.txt", "hello,world\n") + "'", 1, "not a layout file"},
      {"grid '" + layout + "'" + broken, 1, "Could not read the sample image"},
      {"render '" + layout + "'" + out + broken, 1, "Could not read the sample image"},
      {"render '" + layout + "' -o '" + Path("no-folder/x.png") + "'", 1,
       "montage-designer: cannot write " + Path("no-folder/x.png") + ": "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const Result result = Run(c.arguments);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_FALSE(fs::exists(Path("x.png")));
  EXPECT_FALSE(fs::exists(Path("x.jpg")));
  // The sample is told in the window's words, without the program's name.
  EXPECT_EQ(Run("grid '" + layout + "'" + broken).err, "Could not read the sample image\n");
}

TEST_F(CompositeCommandTest, TooFewImagesLeaveTheCompositeEmpty) {
  const std::string layout = Layout("default.txt");
  for (const char* images : {"0", "1", "2"}) {
    SCOPED_TRACE(images);
    const Result grid = Run("grid '" + layout + "' --images " + images);
    EXPECT_EQ(grid.status, 0) << grid.err;
    EXPECT_NE(grid.out.find("\"count\":0,\"rows\":0,\"cols\":0"), std::string::npos);
    const Result render = Run("render '" + layout + "' --images " + images + " --dpi 10 -o '" +
                              Path("few.png") + "'");
    EXPECT_EQ(render.status, 0);
    EXPECT_NE(render.err.find("at least 3 images"), std::string::npos);
  }
  EXPECT_NE(Run("grid '" + layout + "' --images 3").out.find("\"count\":2"), std::string::npos);
}

// Values that a hand-edited layout file may carry and the form never produces.
TEST_F(CompositeCommandTest, HostileLayoutsRenderWithoutHarm) {
  const std::vector<std::vector<std::pair<std::string, std::string>>> hostile = {
      {{"CropHeight,10", "CropHeight,0"}},
      {{"CropWidth,8", "CropWidth,0"}, {"CropHeight,10", "CropHeight,4294967295"}},
      {{"NumCaptionLines,4", "NumCaptionLines,4294967295"}},
      {{"MainImagePosition,4", "MainImagePosition,99"},
       {"CaptionPosition,4", "CaptionPosition,-7"}},
      {{"OuterMargin,0", "OuterMargin,1016"}},
      {{"OuterMargin,0", "OuterMargin,4294967295"}, {"BackgroundType,1", "BackgroundType,2"}},
      {{"OuterFrame,15", "OuterFrame,4294967295"}, {"InnerFrame,10", "InnerFrame,5000"}},
      {{"DropShadowWidth,0", "DropShadowWidth,4294967295"},
       {"DropShadowDepth,10", "DropShadowDepth,4294967295"}},
      {{"ImageMargin,10", "ImageMargin,4294967295"}, {"PrintNames,0", "PrintNames,1"}},
      {{"FontPoint,480", "FontPoint,4294967295"},
       {"LogoTransparencyTolerance,15", "LogoTransparencyTolerance,4294967295"}},
      {{"MainImageMultiple,2", "MainImageMultiple,4294967295"}},
      {{"CaptionRows,1", "CaptionRows,4294967295"}, {"CaptionCols,4", "CaptionCols,0"}},
      {{"SingleLogo,0", "SingleLogo,1"},
       {"LogoTop,0", "LogoTop,1"},
       {"FontPoint,480", "FontPoint,0"}},
  };
  for (std::size_t i = 0; i < hostile.size(); ++i) {
    SCOPED_TRACE(i);
    const std::string layout = Layout("hostile.txt", hostile[i]);
    const std::string out = Path("hostile.png");
    const Result render = Run("render '" + layout + "' --dpi 20 -o '" + out + "'");
    EXPECT_EQ(render.status, 0) << render.err;
    EXPECT_TRUE(fs::exists(out));
    const Result grid = Run("grid '" + layout + "' --images 60 --paper 300x9000");
    EXPECT_EQ(grid.status, 0) << grid.err;
    fs::remove(out);
  }
}

TEST_F(CompositeCommandTest, LargeGroupsAreLaidOutInFull) {
  const std::string layout = Layout("default.txt");
  const Result grid = Run("grid '" + layout + "' --images 9999");
  ASSERT_EQ(grid.status, 0) << grid.err;
  EXPECT_EQ(NumberAfter(grid.out, "count"), "9998");
  const Result render =
      Run("render '" + layout + "' --images 9999 --dpi 20 -o '" + Path("large.png") + "'");
  EXPECT_EQ(render.status, 0) << render.err;
}

}  // namespace
