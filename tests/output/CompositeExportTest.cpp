// Composites exported as PNG and PDF, whose rows are compressed while the rest is still being
// drawn, hold the very pixels of the same composite drawn as a whole, also where a drawing
// reaches back into rows already handed to the compressor (a cell's edge rounding to the row
// above, as in ClassWithMainImage with 100 images at 30 dpi).
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "output/CompositeExport.h"
#include "roster/SampleNames.h"
#include "settings/PreviewSettings.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

Montage StarterLayout(const std::string& name) {
  Montage layout;
  std::ifstream file(fs::path(MONTAGE_BINARY_DIR) / "layouts" / name);
  EXPECT_TRUE(layout.ReadText(file)) << name;
  return layout;
}

QImage Rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

TEST(CompositeExport, PngAndPdfHoldThePixelsOfTheCompositeDrawnAsAWhole) {
  const bool pdfimages = std::system("command -v pdfimages >/dev/null") == 0;
  // The samples' names go on from one drawing to the next (SampleNames), so each composite has
  // a whole number of rounds of them, and the three drawings of a case show the same names.
  const struct {
    const char* layout;
    std::uint32_t images;
    std::uint32_t dpi;
  } cases[] = {
      {"ClassWithMainImage.txt", 10 * SampleNames::Count, 30},
      {"LogoAboveCaptions.txt", 3 * SampleNames::Count, 100},
      {"TeamWithoutMainImage.txt", 2 * SampleNames::Count, 60},
  };
  const ScratchFolder scratch("composite-export");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.layout) + " with " + std::to_string(c.images));
    const Montage layout = StarterLayout(c.layout);
    PreviewSettings settings;
    settings.SetInstallFolder(MONTAGE_BINARY_DIR);
    settings.NumImages = c.images;
    ImageCache cache;
    QImage whole;
    ASSERT_TRUE(DrawCompositePicture(layout, settings, cache,
                                     CompositeSubjects::ForSettings(settings), c.dpi, whole)
                    .Succeeded());

    const fs::path png = scratch.Path() / "c.png";
    const fs::path pdf = scratch.Path() / "c.pdf";
    ASSERT_TRUE(ExportComposite(layout, settings, cache, {png.string(), OutputFormat::Png, c.dpi})
                    .Succeeded());
    ASSERT_TRUE(ExportComposite(layout, settings, cache, {pdf.string(), OutputFormat::Pdf, c.dpi})
                    .Succeeded());
    EXPECT_TRUE(Rgb32(QImage(QString::fromStdString(png.string()))) == Rgb32(whole));
    if (!pdfimages) continue;
    ASSERT_EQ(std::system(("pdfimages -png '" + pdf.string() + "' '" +
                           (scratch.Path() / "in-pdf").string() + "'")
                              .c_str()),
              0);
    const fs::path inPdf = scratch.Path() / "in-pdf-000.png";
    EXPECT_TRUE(Rgb32(QImage(QString::fromStdString(inPdf.string()))) == Rgb32(whole));
    fs::remove(inPdf);
  }
  if (!pdfimages) GTEST_SKIP() << "no pdfimages: the PDF's picture was not read back";
}

}  // namespace
