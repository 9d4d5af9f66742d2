#include "engine/CompositeRenderer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "RenderTestSupport.h"
#include "SurfaceTestSupport.h"
#include "engine/CaptionDrawing.h"
#include "engine/CellDrawing.h"
#include "engine/DisplayConverter.h"
#include "engine/FittedText.h"
#include "engine/RenderContext.h"
#include "images/CompositeSubjects.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "platform/ModalQuestions.h"
#include "platform/RasterDeviceContext.h"

namespace {

const Rect kPage{0, 0, 2540, 2032};

// Draws the composite of as many sample images, the main one included, on a page of 2540 x 2032
// units at the resolution.
class RenderedComposite {
 public:
  RenderedComposite(const Montage& layout, const PreviewSettings& settings, std::uint32_t images,
                    int dpi, const Rect& page = kPage)
      : dc_((page.Width() * dpi + 127) / 254, (page.Height() * dpi + 127) / 254, dpi, dpi) {
    const DisplayConverter converter;
    const RenderContext context{dc_, converter, layout, settings, cache_};
    content_ = DrawComposite(context, page, CompositeSubjects(images), false);
  }
  QImage Image() { return dc_.Image(); }
  const CompositeContent& Content() const { return content_; }

 private:
  ImageCache cache_{LoadRetryPolicy::SingleAttempt()};
  RasterDeviceContext dc_;
  CompositeContent content_;
};

// Compares with the committed picture; MONTAGE_UPDATE_GOLDEN=1 writes it anew instead.
void ExpectGolden(const QImage& image, const std::string& name) {
  const std::string path = std::string(MONTAGE_TEST_DATA) + "/golden/" + name + ".png";
  if (std::getenv("MONTAGE_UPDATE_GOLDEN") != nullptr) {
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
    return;
  }
  const QImage golden(QString::fromStdString(path));
  ASSERT_FALSE(golden.isNull()) << path;
  ASSERT_EQ(golden.size(), image.size());
  const QImage expected = golden.convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      differing += (image.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF);
    }
  }
  EXPECT_EQ(differing, 0) << name;
}

Montage WithoutText() {
  Montage layout;
  layout.NumCaptionLines = 0;
  layout.PrintNames = false;
  return layout;
}

// Names under the pictures and captions beside no logo, on a white ground.
Montage NamesAndCaptions() {
  Montage layout;
  layout.PrintNames = true;
  layout.PrintLogo = false;
  layout.BackgroundType = 0;
  return layout;
}

const Placement* CaptionBlock(const CompositePlan& plan) {
  for (const Placement& placement : plan.Placements()) {
    if (placement.Kind == PlacementKind::Captions) return &placement;
  }
  return nullptr;
}

TEST(CompositeGolden, DefaultLayoutWithoutText) {
  RenderedComposite composite(WithoutText(), BuiltSamples(), 20, 40);
  ExpectGolden(composite.Image(), "default-no-text");
}

TEST(CompositeGolden, TeamOnPortraitPaperWithColourMarginAndLeftShadows) {
  Montage layout = WithoutText();
  layout.MainImageMultiple = 1;
  layout.BackgroundType = 2;
  layout.BackgroundColour = "DCE6F0";
  layout.OuterMargin = 100;
  layout.OuterMarginColour = "28466E";
  layout.OuterMargin3d = true;
  layout.DropShadowWidth = 6;
  layout.DropShadowRight = false;
  layout.DropShadowDepth = 15;
  layout.InnerFrameColour = "C8A032";
  layout.InnerFrame3d = false;
  RenderedComposite composite(layout, BuiltSamples(), 15, 40, Rect{0, 0, 2032, 2540});
  ExpectGolden(composite.Image(), "team-colour-margin");
}

TEST(CompositeGolden, LandscapeSamplesOverAWholePageBackground) {
  Montage layout = WithoutText();
  layout.MainImageMultiple = 3;
  layout.MainImagePosition = 0;
  layout.BackgroundOverwrite = true;
  layout.OuterMargin = 80;
  layout.DropShadowWidth = 5;
  layout.DropShadowDepth = 20;
  layout.CropHeight = 4;
  layout.CropWidth = 3;
  PreviewSettings settings = BuiltSamples();
  settings.SamplePortrait = false;
  RenderedComposite composite(layout, settings, 30, 40);
  ExpectGolden(composite.Image(), "landscape-overwrite");
}

TEST(CompositeText, CaptionLinesAndNamesInkWithinTheirBoxes) {
  const Montage layout = NamesAndCaptions();
  RenderedComposite composite(layout, BuiltSamples(), 20, 254);
  const QImage image = composite.Image();
  ASSERT_TRUE(composite.Content().Plan);
  const CompositePlan& plan = *composite.Content().Plan;

  const Placement* captions = CaptionBlock(plan);
  ASSERT_NE(captions, nullptr);
  const CaptionPlan lines =
      PlanCaptions(layout, BuiltSamples(), captions->Box, plan.ImageMargin(), {}, {});
  ASSERT_EQ(lines.Lines.size(), 4u);
  // Measured once with Liberation Sans standing in for Arial; a line's ink may move by a
  // pixel or two with the font's version, not more.
  const std::vector<QRect> expected = {
      QRect(QPoint(699, 1584), QPoint(1838, 1718)), QRect(QPoint(821, 1744), QPoint(1716, 1850)),
      QRect(QPoint(986, 1866), QPoint(1551, 1932)), QRect(QPoint(1056, 1946), QPoint(1481, 1995))};
  for (std::size_t i = 0; i < lines.Lines.size(); ++i) {
    const QRect box = ToQRect(lines.Lines[i]);
    const QRect ink = InkBox(image, box, kWhite);
    SCOPED_TRACE(i);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(box.contains(ink));
    EXPECT_NEAR(ink.left(), expected[i].left(), 3);
    EXPECT_NEAR(ink.right(), expected[i].right(), 3);
    EXPECT_NEAR(ink.top(), expected[i].top(), 3);
    EXPECT_NEAR(ink.bottom(), expected[i].bottom(), 3);
    EXPECT_NEAR(ink.center().x(), box.center().x(), 3);
  }

  // Every small image has its name in the band under its frame, centred under it.
  for (const Placement& placement : plan.Placements()) {
    if (placement.Kind != PlacementKind::SmallImage) continue;
    const CellGeometry cell = PlanCell(layout, plan.Grid(), placement.Box,
                                       composite.Content().Items[0].Picture->GetSize());
    const int bandBottom =
        placement.Box.Top - plan.ImageMargin() + static_cast<int>(plan.Grid().CellHeight);
    const QRect band(QPoint(placement.Box.Left, cell.OuterFrame.Bottom),
                     QPoint(placement.Box.Right - 1, bandBottom - 1));
    const QRect ink = InkBox(image, band, kWhite);
    ASSERT_FALSE(ink.isEmpty()) << placement.Item;
    EXPECT_NEAR(ink.center().x(), band.center().x(), 3) << placement.Item;
  }
}

// The composite reports every text it drew at the size its fit chose, so that a caller can
// check what the paper shows without fitting anything again.
TEST(CompositeText, DrawnTextsReportTheSizesTheyWereFittedTo) {
  const Montage layout = NamesAndCaptions();
  const PreviewSettings settings = BuiltSamples();
  RenderedComposite composite(layout, settings, 20, 254);
  const CompositeContent& content = composite.Content();
  ASSERT_TRUE(content.Plan);

  std::vector<std::string> names;
  std::vector<std::string> expectedNames;
  for (const CellItem& item : content.Items) {
    expectedNames.push_back(item.FirstName + " " + item.LastName);
  }
  std::vector<const DrawnText*> mainNames;
  std::vector<const DrawnText*> captions;
  for (const DrawnText& text : content.Texts) {
    if (text.Role == TextRole::Name) names.push_back(text.Text);
    if (text.Role == TextRole::MainName) mainNames.push_back(&text);
    if (text.Role == TextRole::Caption) captions.push_back(&text);
    EXPECT_GE(text.Fit.PointTenths, MinimumFitSize) << text.Text;
  }
  std::sort(names.begin(), names.end());
  std::sort(expectedNames.begin(), expectedNames.end());
  EXPECT_EQ(names, expectedNames);
  ASSERT_EQ(mainNames.size(), 1u);
  EXPECT_EQ(mainNames[0]->Text, content.MainItem.FirstName + " " + content.MainItem.LastName);

  // Fitting the caption texts again to the lines of the block gives the sizes reported; the
  // first line is too wide for its font's own size, so a size it was not fitted to would show.
  const Placement* block = CaptionBlock(*content.Plan);
  ASSERT_NE(block, nullptr);
  const CaptionPlan plan =
      PlanCaptions(layout, settings, block->Box, content.Plan->ImageMargin(), {}, {});
  ASSERT_EQ(captions.size(), plan.Lines.size());
  EXPECT_LT(captions[0]->Fit.PointTenths, layout.CaptionFonts[0].FontPoint);
  RasterDeviceContext dc(10, 10, 254, 254);
  const DisplayConverter converter;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(captions[i]->Line, i);
    EXPECT_EQ(captions[i]->Text, settings.SampleCaptionText[i]);
    EXPECT_EQ(captions[i]->Fit.PointTenths,
              FitText(dc, converter, plan.Texts[i], plan.Lines[i].Width(), plan.Lines[i].Height(),
                      layout.CaptionFonts[i]));
  }
}

TEST(CompositeText, NoNamesAndNoCaptionsReportNoText) {
  RenderedComposite composite(WithoutText(), BuiltSamples(), 20, 40);
  ASSERT_TRUE(composite.Content().Plan);
  EXPECT_TRUE(composite.Content().Texts.empty());
}

TEST(CompositeFailures, FewerThanThreeImagesDrawNothing) {
  Montage layout;
  layout.BackgroundType = 2;
  layout.BackgroundColour = "102030";
  layout.OuterMarginColour = "FF0000";
  for (std::uint32_t count : {1u, 2u}) {
    RenderedComposite composite(layout, BuiltSamples(), count, 20);
    const QImage image = composite.Image();
    EXPECT_TRUE(InkBox(image, image.rect(), kWhite).isEmpty()) << count;
    EXPECT_FALSE(composite.Content().Plan);
  }
}

TEST(CompositeFailures, UnreadableSampleDrawsMarginAndBackgroundButNoCells) {
  ScopedScriptedQuestions questions;
  Montage layout;
  layout.BackgroundType = 2;
  layout.BackgroundColour = "102030";
  PreviewSettings settings = BuiltSamples();
  settings.SampleImagePath = std::string(MONTAGE_BINARY_DIR) + "/no-such-sample.jpg";
  RenderedComposite composite(layout, settings, 20, 20);
  const QImage image = composite.Image();
  EXPECT_TRUE(composite.Content().Items.empty());
  EXPECT_EQ(ColourAt(image, image.width() / 2, image.height() / 2), MakeColourRef(16, 32, 48));
  const PictureProblem unreadable{settings.SampleImagePath, "Could not read the sample image"};
  EXPECT_EQ(composite.Content().Problems, std::vector<PictureProblem>{unreadable});
  // The drawing tells nobody itself: the window and the command line do, each its own way.
  EXPECT_TRUE(questions.Asked().empty());
}

TEST(CompositeMargin, ZeroMarginStillDrawsAThreeUnitBand) {
  Montage layout = WithoutText();
  layout.BackgroundType = 0;
  layout.OuterMarginColour = "00FF00";
  RenderedComposite composite(layout, BuiltSamples(), 20, 254);
  const QImage image = composite.Image();
  const ColourRef green = MakeColourRef(0, 255, 0);
  EXPECT_EQ(ColourAt(image, 1000, 0), green);
  EXPECT_EQ(ColourAt(image, 1000, 2), green);
  EXPECT_EQ(ColourAt(image, 1000, 4), kWhite);
  EXPECT_EQ(ColourAt(image, 0, 1000), green);
  EXPECT_EQ(ColourAt(image, 2538, 1000), green);
}

TEST(CompositeBackground, DrawingLeavesTheCachedPictureWhole) {
  const PreviewSettings settings = BuiltSamples();
  ImageCache cache(LoadRetryPolicy::SingleAttempt());
  ImageError error;
  const auto before = cache.Get(settings.BackgroundImage, error);
  ASSERT_TRUE(before);
  const ZodarEdo::PictureSize size = before->GetSize();

  Montage layout;
  RasterDeviceContext dc(100, 100, 10, 10);
  const DisplayConverter converter;
  const RenderContext context{dc, converter, layout, settings, cache};
  // A tall narrow area needs a very different proportion from the picture's.
  DrawBackground(context, Rect{0, 0, 200, 2000}, settings.BackgroundImage);
  EXPECT_EQ(cache.Get(settings.BackgroundImage, error)->GetSize(), size);
}

TEST(CellGeometry, FramesAndShadowsWiderThanTheCellLeaveNoRoomButNoNegativeSizes) {
  Montage layout;
  layout.DropShadowWidth = 400;
  layout.OuterFrame = 4000000000u;
  layout.InnerFrame = 300;
  CompositeGrid grid;
  grid.CellWidth = 300;
  grid.CellHeight = 400;
  const CellGeometry cell = PlanCell(layout, grid, Rect{30, 30, 270, 370}, {800, 1000});
  EXPECT_EQ(cell.Picture.Width(), 0);
  EXPECT_EQ(cell.Picture.Height(), 0);
  EXPECT_GE(cell.InnerFrame.Width(), 0);
  EXPECT_GE(cell.OuterFrame.Width(), 0);
  EXPECT_LE(cell.ShadowWidth, MaxFrameWidth);
}

TEST(CellGeometry, FramesAndShadowsAreHeldAtTenMetres) {
  // A cell of 100 m each way, so that frames of 10 m leave room: a frame takes its width from
  // each side up to 100000 units, and a shadow of half the cell width likewise.
  const struct {
    std::uint32_t frame;
    double cellWidth;
    int inset, shadow;
  } cases[] = {{99999, 200000, 99999, 100000},
               {100000, 199998, 100000, 99999},
               {100001, 200002, 100000, 100000},
               {4000000000u, 400000, 100000, 100000}};
  for (const auto& c : cases) {
    Montage layout;
    layout.OuterFrame = c.frame;
    layout.InnerFrame = 0;
    layout.DropShadowWidth = 50;
    layout.DropShadowRight = true;
    CompositeGrid grid;
    grid.CellWidth = c.cellWidth;
    grid.CellHeight = c.cellWidth;
    const CellGeometry cell = PlanCell(layout, grid, Rect{0, 0, 1000000, 1000000}, {100, 100});
    EXPECT_EQ(cell.ShadowWidth, c.shadow) << c.frame;
    EXPECT_EQ(cell.Picture.Left, c.inset) << c.frame;
    EXPECT_EQ(cell.OuterFrame.Left, 0) << c.frame;
  }
}

TEST(CellGeometry, PictureIsFittedAndCentredInsideShadowAndFrames) {
  Montage layout;
  layout.DropShadowWidth = 10;  // 30 units of a 300-wide cell
  CompositeGrid grid;
  grid.CellWidth = 300;
  grid.CellHeight = 400;
  // A landscape picture in a portrait box is as wide as the box, centred vertically.
  const CellGeometry cell = PlanCell(layout, grid, Rect{0, 0, 300, 400}, {400, 200});
  EXPECT_EQ(cell.ShadowWidth, 30);
  // The box left after the shadow and 25 units of frames: 25..245 across, 25..345 down.
  EXPECT_EQ(cell.Picture, (Rect{25, 130, 245, 240}));
  EXPECT_EQ(cell.InnerFrame, (Rect{15, 120, 255, 250}));
  EXPECT_EQ(cell.OuterFrame, (Rect{0, 105, 270, 265}));
}

}  // namespace
