#include <gtest/gtest.h>

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "engine/CompositeRenderer.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "platform/RasterDeviceContext.h"
#include "shell/PreviewPrinter.h"
#include "shell/ViewTestSupport.h"

namespace {

constexpr int kCheckDpi = 127;  // two logical units a pixel, so 10 mm margins are 50 pixels
constexpr double kMarginMillimetres = 10.0;

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::string CommandOutput(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
  }
  return output;
}

// The page count and the size of the first page in points, as pdfinfo reports them.
struct PdfFacts {
  int pages = 0;
  double width = 0;
  double height = 0;
};

PdfFacts ReadPdfFacts(const std::string& path) {
  const std::string info = CommandOutput("pdfinfo " + Quoted(path) + " 2>&1");
  PdfFacts facts;
  std::smatch match;
  if (std::regex_search(info, match, std::regex(R"(Pages:\s+(\d+))"))) {
    facts.pages = std::stoi(match[1]);
  }
  if (std::regex_search(info, match, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"))) {
    facts.width = std::stod(match[1]);
    facts.height = std::stod(match[2]);
  }
  return facts;
}

QImage RasterisePdf(const std::string& path, const std::string& prefix, int dpi) {
  std::system(("pdftoppm -r " + std::to_string(dpi) + " -png -singlefile " + Quoted(path) + " " +
               Quoted(prefix))
                  .c_str());
  return QImage(QString::fromStdString(prefix + ".png")).convertToFormat(QImage::Format_RGB32);
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

bool UniformAround(const QImage& image, int x, int y, int radius) {
  const QRgb centre = image.pixel(x, y);
  for (int dy = -radius; dy <= radius; ++dy) {
    for (int dx = -radius; dx <= radius; ++dx) {
      if (image.pixel(x + dx, y + dy) != centre) return false;
    }
  }
  return true;
}

class PrintTest : public testing::Test, public ViewFixture {
 protected:
  std::string PathOf(const std::string& name) const { return (folder.Path() / name).string(); }
  // Answers the print dialog by printing on A4 with 10 mm margins into a PDF file.
  void AnswerPrintToPdf(const std::string& pdf, QPageLayout::Orientation* seen = nullptr) {
    questions.AnswerPrint([pdf, seen](QPrinter& printer) {
      if (seen) *seen = printer.pageLayout().orientation();
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      printer.setPageSize(QPageSize(QPageSize::A4));
      printer.setPageMargins(
          QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
          QPageLayout::Millimeter);
      return true;
    });
  }
};

TEST_F(PrintTest, PrintsOnePageTurnedAsTheLayoutShowingTheCompositeOfThePrintableArea) {
  document.layout().BackgroundType = 2;
  document.layout().BackgroundColour = "3366CC";
  document.layout().OuterFrameColour = "CC3300";
  for (const bool portrait : {true, false}) {
    SCOPED_TRACE(portrait ? "portrait" : "landscape");
    document.layout().Portrait = portrait;
    const std::string pdf = PathOf(portrait ? "portrait.pdf" : "landscape.pdf");
    QPageLayout::Orientation seen = QPageLayout::Portrait;
    AnswerPrintToPdf(pdf, &seen);
    view->Print();
    EXPECT_EQ(seen, portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    EXPECT_TRUE(questions.Messages().empty());

    const PdfFacts facts = ReadPdfFacts(pdf);
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
    EXPECT_EQ(facts.pages, 1);
    EXPECT_NEAR(facts.width, portrait ? a4.width() : a4.height(), 0.5);
    EXPECT_NEAR(facts.height, portrait ? a4.height() : a4.width(), 0.5);

    // The reference: the same layout drawn by the renderer on the printable area, A4 less the
    // margins, at the resolution the PDF is looked at.
    const int across = static_cast<int>((210 - 2 * kMarginMillimetres) * 10);
    const int down = static_cast<int>((297 - 2 * kMarginMillimetres) * 10);
    const Rect page = portrait ? Rect{0, 0, across, down} : Rect{0, 0, down, across};
    RasterDeviceContext dc(page.Width() / 2, page.Height() / 2, kCheckDpi, kCheckDpi);
    DisplayConverter converter;
    converter.Printing = true;
    const RenderContext context{dc, converter, document.layout(), Settings(),
                                ImageCache::Instance()};
    DrawComposite(context, page, CompositeSubjects(Settings().NumImages), false);
    const QImage reference = dc.Image();
    const QImage printed =
        RasterisePdf(pdf, PathOf(portrait ? "portrait" : "landscape"), kCheckDpi);
    // pdftoppm rounds a page of 1485.0003 pixels up to 1486.
    ASSERT_NEAR(printed.width(), reference.width() + 100, 1);
    ASSERT_NEAR(printed.height(), reference.height() + 100, 1);

    // Wherever the reference is a flat colour, the printout shows that colour too.
    const int margin = static_cast<int>(kMarginMillimetres * kCheckDpi / 25.4 + 0.5);
    int compared = 0;
    int coloured = 0;
    int matching = 0;
    for (int y = 4; y < reference.height() - 4; y += 9) {
      for (int x = 4; x < reference.width() - 4; x += 9) {
        if (!UniformAround(reference, x, y, 3)) continue;
        const QRgb expected = reference.pixel(x, y);
        ++compared;
        coloured += expected != qRgb(255, 255, 255);
        matching += Near(printed.pixel(x + margin, y + margin), expected, 24);
      }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_GT(coloured, compared / 2);
    EXPECT_GE(matching, compared * 97 / 100);
    // Outside the printable area the paper stays white.
    EXPECT_EQ(printed.pixel(margin / 2, margin / 2), qRgb(255, 255, 255));
  }
  EXPECT_FALSE(document.IsModified());
}

TEST_F(PrintTest, CancellingThePrintDialogPrintsNothing) {
  const std::string pdf = PathOf("cancelled.pdf");
  questions.AnswerPrint([pdf](QPrinter& printer) {
    printer.setOutputFileName(QString::fromStdString(pdf));
    return false;
  });
  view->Print();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(PrintTest, AJobThatCannotStartIsReported) {
  AnswerPrintToPdf(PathOf("no-such-folder/print.pdf"));
  view->Print();
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Could not start print job."});
}

TEST_F(PrintTest, ThePrinterKeepsTheUsersChoicesButFollowsTheLayoutsOrientation) {
  AnswerPrintToPdf(PathOf("first.pdf"));
  view->Print();
  document.layout().Portrait = 1;
  QPageSize size;
  QPageLayout::Orientation orientation = QPageLayout::Landscape;
  questions.AnswerPrint([&](QPrinter& printer) {
    size = printer.pageLayout().pageSize();
    orientation = printer.pageLayout().orientation();
    return false;
  });
  view->Print();
  EXPECT_TRUE(size.isEquivalentTo(QPageSize(QPageSize::A4)));
  EXPECT_EQ(orientation, QPageLayout::Portrait);
}

TEST(PreviewPrinterResolution, IsThePrintersUpTo300DpiAndLowerPast2To26Pixels) {
  // The pages of one tenth of a millimetre by n: up to n = 48106616 the page has at most 2^26
  // pixels at 300 dpi (67108863.5), one tenth more and it would have more.
  const struct {
    int printerDpi;
    Rect page;
    int dpi;
  } cases[] = {
      {300, {0, 0, 2540, 2032}, 300},     {299, {0, 0, 2540, 2032}, 299},
      {301, {0, 0, 2540, 2032}, 300},     {1200, {0, 0, 2540, 2032}, 300},
      {1, {0, 0, 2540, 2032}, 1},         {300, {0, 0, 1, 48106616}, 300},
      {300, {0, 0, 1, 48106617}, 299},    {1200, {0, 0, 48106617, 1}, 299},
      {200, {0, 0, 1, 48106617}, 200},    {300, {0, 0, 0, 0}, 300},
      {300, {0, 0, INT_MAX, INT_MAX}, 1},
  };
  for (const auto& c : cases) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(c.printerDpi);
    ASSERT_EQ(printer.resolution(), c.printerDpi);
    EXPECT_EQ(PreviewPrinter::DrawingDpi(printer, c.page), c.dpi)
        << c.printerDpi << " dpi, " << c.page.Width() << " x " << c.page.Height();
  }
}

}  // namespace
