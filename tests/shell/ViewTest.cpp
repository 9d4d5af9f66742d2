#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "layout/Montage.h"
#include "platform/ModalQuestions.h"
#include "settings/PreviewSettings.h"
#include "shell/DocumentView.h"
#include "shell/PreviewCache.h"
#include "shell/ViewTestSupport.h"

namespace {

constexpr QRgb kSurround = 0xFFD6D3CE;
const Rect kTenByEight{0, 0, 2540, 2032};

int Trunc(double value) { return static_cast<int>(value); }

QSize ExtentOf(const Rect& page, double zoom) {
  return {Trunc(page.Width() * zoom), Trunc(page.Height() * zoom)};
}

int CountColour(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
  }
  return count;
}

class ViewTest : public testing::Test, public ViewFixture {};

// Zoom commands ------------------------------------------------------------------------------

TEST_F(ViewTest, ZoomCommandsMultiplyOrResetTheZoomAndTheScrollExtentFollows) {
  using Command = void (CMontageView::*)();
  const struct {
    std::vector<Command> commands;
    double zoom;
  } cases[] = {
      {{&CMontageView::ZoomIn, &CMontageView::ZoomIn, &CMontageView::ZoomIn}, 1.331},
      {{&CMontageView::ZoomIn, &CMontageView::ZoomIn, &CMontageView::ZoomActualSize}, 1.0},
      {{&CMontageView::ZoomOut}, 0.9},
      {{&CMontageView::ZoomOut, &CMontageView::ZoomIn}, 0.99},
  };
  for (const auto& c : cases) {
    view->ZoomActualSize();
    for (Command command : c.commands) (view.get()->*command)();
    EXPECT_NEAR(view->Zoom(), c.zoom, 1e-12);
    EXPECT_EQ(view->ScrollExtent(), ExtentOf(kTenByEight, view->Zoom()));
  }
  view->ZoomIn();
  view->ZoomActualSize();
  EXPECT_EQ(view->Zoom(), 1.0);  // exactly, not a product that comes close
}

TEST_F(ViewTest, ZoomStaysWithinLimitsForAbsurdPapersAndKeepsDrawing) {
  const struct {
    std::uint32_t height;
    std::uint32_t width;
  } papers[] = {{1, 1}, {100000, 100000}, {2032, 2540}, {1, 100000}, {0, 0}, {4000000000u, 7}};
  for (const auto& paper : papers) {
    Settings().PaperHeight = paper.height;
    Settings().PaperWidth = paper.width;
    view->resize(400, 300);
    view->OnUpdate(HintLayoutEdited);
    for (int i = 0; i < 60; ++i) view->ZoomIn();
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum() / 2);
    EXPECT_FALSE(Grab().isNull());
    const double zoomedIn = view->Zoom();
    EXPECT_TRUE(std::isfinite(zoomedIn) && zoomedIn > 0);
    EXPECT_LE(std::max(view->ScrollExtent().width(), view->ScrollExtent().height()),
              PreviewGeometry::MaximumExtent);
    // However far in, the kept picture stays within a few views' worth of pixels.
    const QSize kept = view->CachedPictureSize();
    EXPECT_LE(std::int64_t{kept.width()} * kept.height(), PreviewCache::WholePagePixels);
    for (int i = 0; i < 200; ++i) view->ZoomOut();
    EXPECT_FALSE(Grab().isNull());
    EXPECT_GE(view->Zoom(), PreviewGeometry::MinimumZoom);
    view->FitToWindow();
    EXPECT_FALSE(Grab().isNull());
    EXPECT_TRUE(std::isfinite(view->Zoom()) && view->Zoom() > 0);
  }
}

TEST(PreviewCacheSize, PagesOfUpTo16MegapixelsAreKeptWhole) {
  // At 254 dpi and no zoom a logical unit is a pixel. A page of 4096 x 4096 pixels is kept
  // whole; with one row more only the part on show and half a view round it.
  ScopedScriptedQuestions questions;
  Montage layout;
  PreviewSettings settings;
  settings.NumImages = 0;
  const struct {
    int width, height;
    QRect visible, kept;
  } cases[] = {{4096, 4096, {1000, 2000, 100, 60}, {0, 0, 4096, 4096}},
               {4096, 4097, {1000, 2000, 100, 60}, {950, 1970, 200, 120}},
               {16777216, 1, {1000, 0, 100, 1}, {0, 0, 16777216, 1}},
               {16777217, 1, {1000, 0, 100, 1}, {950, 0, 200, 1}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    PreviewCache cache;
    const PreviewCache::Key key{Rect{0, 0, c.width, c.height}, 1.0, 254, 254};
    const QImage& picture = cache.Picture(layout, settings, key, c.visible);
    EXPECT_EQ(QRect(cache.PictureOrigin(), picture.size()), c.kept);
  }
}

TEST_F(ViewTest, ZoomingFarInOnAnOrdinaryPageKeepsOnlyThePartOnShow) {
  view->resize(400, 300);
  for (int i = 0; i < 60; ++i) view->ZoomIn();
  EXPECT_NEAR(view->Zoom(), std::pow(1.1, 60), 1e-6 * std::pow(1.1, 60));
  view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum() / 3);
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 3);
  const QImage shown = Grab();
  const QSize kept = view->CachedPictureSize();
  EXPECT_GT(kept.width(), 0);
  EXPECT_LE(kept.width(), 2 * shown.width());
  EXPECT_LE(kept.height(), 2 * shown.height());
}

// Fitting the page to the window ---------------------------------------------------------------

TEST_F(ViewTest, FitsTheTenByEightPageToAThousandByFiveHundredClientAndCentresIt) {
  ShowWithClient(1000, 500);
  ASSERT_TRUE(view->FittedOnce());
  const double zoom = 500.0 / 2032;
  EXPECT_DOUBLE_EQ(view->Zoom(), zoom);
  EXPECT_EQ(view->ScrollExtent(), ExtentOf(kTenByEight, zoom));
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(view->verticalScrollBar()->maximum(), 0);

  // The page is centred horizontally by (client - page) / 2 logical units, surround colour on
  // either side over the full height, and fills the height.
  const QImage shown = Grab();
  const int pageWidth = view->ScrollExtent().width();
  const int left = PixelsX((1000 - pageWidth) / 2);
  const int right = left + PixelsX(pageWidth);
  for (const int y : {0, shown.height() / 2, shown.height() - 1}) {
    EXPECT_EQ(shown.pixel(0, y), kSurround);
    EXPECT_EQ(shown.pixel(left - 1, y), kSurround);
    EXPECT_NE(shown.pixel(left, y), kSurround);
    EXPECT_NE(shown.pixel(right - 1, y), kSurround);
    EXPECT_EQ(shown.pixel(right, y), kSurround);
    EXPECT_EQ(shown.pixel(shown.width() - 1, y), kSurround);
  }
  EXPECT_EQ(CountColour(shown.copy(left, 0, right - left, shown.height()), kSurround), 0);
  shown.save("/tmp/preview-view-fit.png");
}

TEST_F(ViewTest, FitIsMadeAgainOnceTheScrollBarsHaveGone) {
  ShowWithClient(1000, 500);
  view->ZoomActualSize();
  QApplication::processEvents();
  ASSERT_TRUE(view->verticalScrollBar()->isVisible());
  view->FitToWindow();
  EXPECT_DOUBLE_EQ(view->Zoom(), 500.0 / 2032);
  EXPECT_FALSE(view->verticalScrollBar()->isVisible());
}

TEST_F(ViewTest, FitsByWidthWhenThePageWouldBeTooWide) {
  ShowWithClient(500, 1000);
  EXPECT_DOUBLE_EQ(view->Zoom(), 500.0 / 2540);
  // Centred vertically this time: surround above and below, none left and right.
  const QImage shown = Grab();
  const int top = PixelsY((1000 - view->ScrollExtent().height()) / 2);
  EXPECT_EQ(shown.pixel(shown.width() / 2, top - 1), kSurround);
  EXPECT_NE(shown.pixel(shown.width() / 2, top), kSurround);
  EXPECT_NE(shown.pixel(0, shown.height() / 2), kSurround);
}

TEST_F(ViewTest, FitsOnlyOnceWhenFirstShownAndLaterResizesOnlyUpdateTheExtent) {
  EXPECT_FALSE(view->FittedOnce());
  EXPECT_EQ(view->Zoom(), 1.0);
  ShowWithClient(1000, 500);
  view->ZoomIn();
  const double zoom = view->Zoom();
  view->resize(PixelsX(300), PixelsY(200));
  QApplication::processEvents();
  EXPECT_EQ(view->Zoom(), zoom);
  EXPECT_EQ(view->horizontalScrollBar()->maximum(),
            PixelsX(view->ScrollExtent().width()) - view->viewport()->width());
}

TEST_F(ViewTest, AWiderPageScrollsFromTheOriginWithoutSurround) {
  ShowWithClient(1000, 500);
  view->ZoomActualSize();
  QApplication::processEvents();
  const QImage shown = Grab();
  EXPECT_EQ(CountColour(shown, kSurround), 0);
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), PixelsX(2540) - view->viewport()->width());
}

// Updates from the document -------------------------------------------------------------------

TEST_F(ViewTest, PortraitPaperExchangesThePageSidesInTheScrollExtent) {
  ShowWithClient(1000, 500);
  const double zoom = view->Zoom();
  ASSERT_EQ(view->ScrollExtent(), ExtentOf(kTenByEight, zoom));
  document.layout().Portrait = 1;
  document.LayoutChanged();
  EXPECT_EQ(view->ScrollExtent(), QSize(Trunc(2032 * zoom), Trunc(2540 * zoom)));
}

TEST_F(ViewTest, HintsRedrawAsTheyAsk) {
  const struct {
    unsigned hint;
    bool redraws;
  } cases[] = {
      {0, true},          {HintLayoutEdited, true},         {HintReloaded, true},
      {HintSaved, false}, {HintReloaded | HintSaved, true},
  };
  ShowWithClient(600, 400);
  for (const auto& c : cases) {
    Grab();
    const int before = view->Drawings();
    questions.Forget();
    view->OnUpdate(c.hint);
    Grab();
    EXPECT_EQ(view->Drawings(), before + (c.redraws ? 1 : 0)) << c.hint;
    EXPECT_TRUE(questions.Asked().empty()) << c.hint;
  }
}

TEST_F(ViewTest, AnAppliedEditShowsTheNewLayout) {
  ShowWithClient(1000, 500);
  const QRgb red = qRgb(255, 0, 0);
  EXPECT_EQ(CountColour(Grab(), red), 0);
  document.layout().BackgroundType = 2;
  document.layout().BackgroundColour = "FF0000";
  document.LayoutChanged();
  EXPECT_GT(CountColour(Grab(), red), 1000);
}

// Drawing and the kept picture ------------------------------------------------------------------

TEST_F(ViewTest, RepaintsWithoutAChangeComeFromTheKeptPicture) {
  ShowWithClient(1000, 500);
  const QImage first = Grab();
  ASSERT_EQ(view->Drawings(), 1);
  EXPECT_EQ(Grab(), first);
  view->viewport()->repaint();
  EXPECT_EQ(view->Drawings(), 1);

  // A resize that only moves the centred page keeps the picture; scrolling a zoomed page too.
  view->resize(PixelsX(1200), PixelsY(500));
  Grab();
  EXPECT_EQ(view->Drawings(), 1);
  view->ZoomIn();
  Grab();
  EXPECT_EQ(view->Drawings(), 2);
  view->ZoomActualSize();
  view->horizontalScrollBar()->setValue(50);
  view->verticalScrollBar()->setValue(30);
  Grab();
  EXPECT_EQ(view->Drawings(), 3);
  view->horizontalScrollBar()->setValue(0);
  Grab();
  EXPECT_EQ(view->Drawings(), 3);
}

TEST_F(ViewTest, ScrolledPictureMovesWithTheScrollBars) {
  ShowWithClient(1000, 500);
  view->ZoomActualSize();
  QApplication::processEvents();
  const QImage atOrigin = Grab();
  view->horizontalScrollBar()->setValue(40);
  view->verticalScrollBar()->setValue(25);
  const QImage scrolled = Grab();
  const int width = view->viewport()->width() - 40;
  const int height = view->viewport()->height() - 25;
  EXPECT_EQ(scrolled.copy(0, 0, width, height), atOrigin.copy(40, 25, width, height));
}

TEST_F(ViewTest, DrawsTheSmallImagesAndTheMainImageOfTheSettings) {
  const struct {
    std::uint32_t mainMultiple;
    std::uint32_t numImages;
    std::size_t small;
    bool main;
  } cases[] = {{2, 20, 19, true}, {1, 20, 20, false}, {0, 5, 5, false}, {3, 3, 2, true}};
  ShowWithClient(600, 400);
  for (const auto& c : cases) {
    document.layout().MainImageMultiple = c.mainMultiple;
    Settings().NumImages = c.numImages;
    document.LayoutChanged();
    Grab();
    EXPECT_EQ(view->LastDrawn().SmallImages, c.small) << c.mainMultiple << " " << c.numImages;
    EXPECT_EQ(view->LastDrawn().MainImage, c.main) << c.mainMultiple << " " << c.numImages;
  }
}

TEST_F(ViewTest, DrawingChangesNeitherTheDocumentNorThePreviewValues) {
  const PreviewSettings before = Settings();
  ShowWithClient(1000, 500);
  view->ZoomIn();
  Grab();
  view->FitToWindow();
  Grab();
  EXPECT_FALSE(document.IsModified());
  const PreviewSettings& after = Settings();
  EXPECT_EQ(after.NumImages, before.NumImages);
  EXPECT_EQ(after.PaperHeight, before.PaperHeight);
  EXPECT_EQ(after.PaperWidth, before.PaperWidth);
  EXPECT_EQ(after.PaperType, before.PaperType);
  EXPECT_EQ(after.SampleImagePath, before.SampleImagePath);
  EXPECT_EQ(after.BackgroundImage, before.BackgroundImage);
  EXPECT_EQ(after.SampleCaptionText, before.SampleCaptionText);
  EXPECT_EQ(after.CustomColour, before.CustomColour);
}

// Without the kept picture a message box over the view would ask for a repaint, which would draw
// again and show the box again, without end; and a box opened inside a paint event would run
// an event loop in the middle of painting.
TEST_F(ViewTest, AnUnreadableSampleIsReportedOnceAfterThePaint) {
  Settings().SampleImagePath = std::string(MONTAGE_BINARY_DIR) + "/no-such-sample.jpg";
  ShowWithClient(600, 400);
  Grab();
  EXPECT_TRUE(questions.Messages().empty());  // not from inside the paint
  QApplication::processEvents();
  ASSERT_EQ(questions.Messages().size(), 1u);
  EXPECT_EQ(questions.Messages()[0], "Could not read the sample image");
  Grab();
  view->viewport()->repaint();
  QApplication::processEvents();
  EXPECT_EQ(questions.Messages().size(), 1u);
  document.LayoutChanged();
  Grab();
  QApplication::processEvents();
  EXPECT_EQ(questions.Messages().size(), 2u);
}

}  // namespace
