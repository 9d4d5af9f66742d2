#include "images/DeviceIndepBitmap.h"

#include <gtest/gtest.h>

#include <QImage>
#include <fstream>

#include "platform/RasterDeviceContext.h"
#include "support/PictureFolder.h"
#include "support/TestExif.h"
#include "support/TestJpeg.h"
#include "toolkit/PLExifData.h"
#include "toolkit/PLJPEGDecoder.h"
#include "toolkit/PLWinBmp.h"

namespace ZodarEdo {

namespace {

class DeviceIndepBitmapTest : public testing::Test {
 protected:
  ImageError Load(DeviceIndepBitmap& picture, const std::string& path, int maxWidth = 0,
                  int maxHeight = 0) {
    return picture.LoadJpegFile(path, decoder_, maxWidth, maxHeight);
  }

  // A 24 x 16 picture of six flat blocks: 10, 20, 30 on top, 40, 50, 60 below.
  std::shared_ptr<DeviceIndepBitmap> SixBlocks() {
    return LoadPicture(folder_.Blocks("six.jpg", 3, 2, {10, 20, 30, 40, 50, 60}));
  }

  PictureFolder folder_;
  PLJPEGDecoder decoder_;
};

TEST_F(DeviceIndepBitmapTest, LoadGivesA32BitPictureWithItsResolution) {
  testsupport::JpegOptions options;
  options.width = 64;
  options.height = 48;
  options.xDensity = 300;
  options.yDensity = 150;
  const std::string path = folder_.Write("photo.jpg", testsupport::EncodeJpeg(options));
  DeviceIndepBitmap picture;
  ASSERT_EQ(Load(picture, path), ImageError{});
  EXPECT_EQ(picture.GetSize(), (PictureSize{64, 48}));
  EXPECT_TRUE(picture.IsLandscape());
  EXPECT_EQ(picture.Pixels()->BitsPerPixel(), 32);
  EXPECT_EQ(picture.Pixels()->Resolution(), (PLPoint{300, 150}));
  EXPECT_EQ(picture.Rotation(), 0);
}

TEST_F(DeviceIndepBitmapTest, ExifDataComesFromTheFileLoadedLast) {
  const auto payload =
      testsupport::ExifBuilder(false).Main({testsupport::ShortField(0x0112, 6)}).Payload();
  const std::string turned =
      folder_.Write("turned.jpg", testsupport::InsertApp1(testsupport::EncodeJpeg({}), payload));
  DeviceIndepBitmap picture;
  ASSERT_EQ(Load(picture, turned), ImageError{});
  ASSERT_NE(picture.ExifData(), nullptr);
  EXPECT_EQ(picture.ExifData()->NumericValue("main.ori"), 6.0);
  ASSERT_EQ(Load(picture, folder_.Photo("plain.jpg", 64, 48)), ImageError{});
  ASSERT_NE(picture.ExifData(), nullptr);
  EXPECT_EQ(picture.ExifData()->NumericValue("main.ori"), 0.0);
}

TEST_F(DeviceIndepBitmapTest, LoadShrinksToTheLimitKeepingTheProportion) {
  const std::string path = folder_.Photo("photo.jpg", 256, 192);
  // The decoder's reduction goes as far as it still covers the fitted size; a bilinear resize
  // does the rest. A picture inside the limit, or a limit of 0, keeps its size.
  const struct {
    int maxWidth, maxHeight;
    PictureSize size;
    int reduction;
  } cases[] = {{32, 32, {32, 24}, 8},  {128, 128, {128, 96}, 2},  {100, 100, {100, 75}, 2},
               {33, 100, {33, 24}, 4}, {255, 192, {255, 191}, 1}, {300, 300, {256, 192}, 1},
               {0, 10, {256, 192}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.maxWidth << " x " << c.maxHeight);
    DeviceIndepBitmap picture;
    ASSERT_EQ(Load(picture, path, c.maxWidth, c.maxHeight), ImageError{});
    EXPECT_EQ(picture.GetSize(), c.size);
    EXPECT_EQ(picture.Reduction(), c.reduction);
    EXPECT_EQ(picture.DeclaredSize(), (PictureSize{256, 192}));
  }
}

TEST_F(DeviceIndepBitmapTest, LoadFailuresGiveTheUsersTextClassAndCode) {
  DeviceIndepBitmap picture;
  const std::string missing = folder_.Path("missing.jpg");
  EXPECT_EQ(Load(picture, missing),
            (ImageError{"File not found: Decoder error: Opening " + missing + " failed",
                        ImageError::ImageMissing, 4}));
  const std::string noFolder = folder_.Path("no-folder/missing.jpg");
  EXPECT_EQ(Load(picture, noFolder),
            (ImageError{"Path not Found: Decoder error: Opening " + noFolder + " failed",
                        ImageError::ImageMissing, 3}));
  const std::string png = folder_.Write("picture.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                                        0, 0, 0, 13, 'I', 'H', 'D', 'R'});
  EXPECT_EQ(Load(picture, png),
            (ImageError{"Unexpected Error: Decoder error: Not a JPEG file: starts with 0x89 0x50",
                        ImageError::ImageUnreadable, 6}));
  const std::string empty = folder_.Write("empty.jpg", {});
  EXPECT_EQ(Load(picture, empty).Class, ImageError::ImageUnreadable);
  EXPECT_EQ(picture.GetError().Code, 5);
  // The error stays recorded, and a picture that had no pixels still has none.
  EXPECT_EQ(picture.GetError().Text.substr(0, 15), "Access denied: ");
  EXPECT_FALSE(picture.HasPixels());
}

TEST_F(DeviceIndepBitmapTest, APictureTooLargeToDecodeIsRefusedForItsSizeNotForMemory) {
  const auto jpeg = testsupport::EncodeJpeg({});
  const std::string path =
      folder_.Write("huge.jpg", testsupport::WithDeclaredSize(jpeg, 60000, 60000));
  DeviceIndepBitmap picture;
  EXPECT_EQ(Load(picture, path),
            (ImageError{"Maximum size for 1 bmp was exceeded: Decoder error: Picture of 60000 x "
                        "60000 pixels is too large",
                        ImageError::ImageTooLarge, 9}));
}

TEST_F(DeviceIndepBitmapTest, WithoutPixelsEverythingSucceedsWithoutEffect) {
  DeviceIndepBitmap picture;
  EXPECT_EQ(picture.GetSize(), (PictureSize{16, 16}));
  EXPECT_FALSE(picture.IsLandscape());
  EXPECT_TRUE(picture.Crop(0, 0, 4, 4));
  EXPECT_TRUE(picture.CropToRatio(10, 8, 20, 5, 5));
  EXPECT_TRUE(picture.RotateBy(1));
  EXPECT_TRUE(picture.SetRotation(2));
  EXPECT_TRUE(picture.AdjustColour(10, 20, 30, true));
  EXPECT_TRUE(picture.AdjustHsb(10, 20, 30));
  EXPECT_TRUE(picture.AdjustContrast(15));
  EXPECT_TRUE(picture.AdjustLightness(15, true));
  EXPECT_TRUE(picture.MakeGreyscale());
  EXPECT_FALSE(picture.HasPixels());
  EXPECT_EQ(picture.GetError(), ImageError{});
  RasterDeviceContext dc(4, 4, 254, 254);
  EXPECT_FALSE(picture.DrawColourKeyed(dc, 0, 0, 4, -4, 0));
}

TEST_F(DeviceIndepBitmapTest, CopiesAreDeepAndCarryRotationAndError) {
  const auto original = SixBlocks();
  original->RotateBy(1);
  DeviceIndepBitmap copy;
  copy = *original;
  copy.RotateBy(2);
  EXPECT_EQ(original->GetSize(), (PictureSize{16, 24}));
  EXPECT_EQ(LevelAt(*original, 0, 0), 40);
  EXPECT_EQ(LevelAt(copy, 0, 0), 30);
  EXPECT_EQ(original->Rotation(), 1);
  EXPECT_EQ(copy.Rotation(), 3);

  DeviceIndepBitmap failed;
  Load(failed, folder_.Path("missing.jpg"));
  copy = failed;
  EXPECT_FALSE(copy.HasPixels());
  EXPECT_EQ(copy.GetError().Class, ImageError::ImageMissing);
  copy.Release();
  EXPECT_EQ(copy.GetError(), ImageError{});
}

TEST_F(DeviceIndepBitmapTest, CropKeepsARectangleInsideThePictureOnly) {
  const auto picture = SixBlocks();
  EXPECT_TRUE(picture->Crop(8, 0, 25, 16));  // right beyond the width
  EXPECT_TRUE(picture->Crop(-1, 0, 8, 8));
  EXPECT_TRUE(picture->Crop(8, 8, 4, 16));  // left beyond right
  EXPECT_EQ(picture->GetSize(), (PictureSize{24, 16}));
  EXPECT_TRUE(picture->Crop(8, 8, 24, 16));
  EXPECT_EQ(picture->GetSize(), (PictureSize{16, 8}));
  EXPECT_EQ(LevelAt(*picture, 0, 0), 50);
  EXPECT_EQ(LevelAt(*picture, 15, 7), 60);
}

TEST_F(DeviceIndepBitmapTest, CropToRatioCutsThePictureToTheBox) {
  // 64 x 32, blocks numbered 0 to 31 in reading order; a square cut keeps x from 16 to 48.
  std::vector<std::uint8_t> levels(32);
  for (std::size_t i = 0; i < levels.size(); ++i) levels[i] = static_cast<std::uint8_t>(i * 5);
  const auto picture = LoadPicture(folder_.Blocks("wide.jpg", 8, 4, levels));
  ASSERT_TRUE(picture->CropToRatio(7, 7, 0, 0, 0));
  EXPECT_EQ(picture->GetSize(), (PictureSize{32, 32}));
  EXPECT_EQ(LevelAt(*picture, 0, 0), 2 * 5);
  EXPECT_EQ(LevelAt(*picture, 31, 31), 29 * 5);
  // A proportion with a side of 0 leaves the picture as it is.
  EXPECT_TRUE(picture->CropToRatio(0, 8, 0, 0, 0));
  EXPECT_TRUE(picture->CropToRatio(10, 0, 0, 0, 0));
  EXPECT_EQ(picture->GetSize(), (PictureSize{32, 32}));
  // A zoom out beyond the picture gives a box outside it, which is not cut.
  EXPECT_TRUE(picture->CropToRatio(1, 1, -50, 0, 0));
  EXPECT_EQ(picture->GetSize(), (PictureSize{32, 32}));
}

TEST_F(DeviceIndepBitmapTest, RotationCountsQuarterTurnsSinceLoading) {
  const auto picture = SixBlocks();
  ASSERT_TRUE(picture->RotateBy(1));
  EXPECT_EQ(picture->GetSize(), (PictureSize{16, 24}));
  // The old top-left block is at the new top-right.
  EXPECT_EQ(LevelAt(*picture, 15, 0), 10);
  EXPECT_EQ(picture->Rotation(), 1);
  ASSERT_TRUE(picture->SetRotation(0));
  EXPECT_EQ(picture->GetSize(), (PictureSize{24, 16}));
  EXPECT_EQ(LevelAt(*picture, 0, 0), 10);
  EXPECT_EQ(picture->Rotation(), 0);

  picture->RotateBy(3);
  EXPECT_EQ(LevelAt(*picture, 0, 0), 30);
  // From 3 to 2 is one quarter turn anticlockwise.
  ASSERT_TRUE(picture->SetRotation(2));
  EXPECT_EQ(picture->Rotation(), 2);
  EXPECT_EQ(LevelAt(*picture, 0, 0), 60);
  // A reload starts counting again.
  ASSERT_EQ(Load(*picture, folder_.Path("six.jpg")), ImageError{});
  EXPECT_EQ(picture->Rotation(), 0);
}

TEST_F(DeviceIndepBitmapTest, ContrastAndLightnessFollowTheirAmounts) {
  const auto picture = LoadPicture(folder_.Blocks("grey.jpg", 1, 1, {200}));
  EXPECT_TRUE(picture->AdjustColour(0, 0, 0, true));
  EXPECT_TRUE(picture->AdjustContrast(0));
  EXPECT_TRUE(picture->AdjustLightness(0, true));
  EXPECT_EQ(LevelAt(*picture, 0, 0), 200);
  // 15 gives the factor 1.225 about mid-grey: 128 + 72 x 1.225 = 216.2.
  ASSERT_TRUE(picture->AdjustContrast(15));
  EXPECT_EQ(LevelAt(*picture, 0, 0), 216);
  // -15 gives 1000 / 1225: 128 + 88 x 0.8163 = 199.8.
  ASSERT_TRUE(picture->AdjustContrast(-15));
  EXPECT_EQ(LevelAt(*picture, 0, 0), 199);
  ASSERT_TRUE(picture->AdjustLightness(-9, true));
  EXPECT_EQ(LevelAt(*picture, 0, 0), 190);
}

TEST_F(DeviceIndepBitmapTest, GreyscaleMakesTheThreeColourBytesEqual) {
  const auto picture = LoadPicture(folder_.Photo("photo.jpg", 32, 16));
  ASSERT_TRUE(picture->MakeGreyscale());
  EXPECT_EQ(picture->Pixels()->BitsPerPixel(), 32);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::uint8_t* p = picture->Pixels()->RowTable()[y] + 4 * x;
      ASSERT_EQ(p[0], p[1]);
      ASSERT_EQ(p[1], p[2]);
    }
  }
}

// The colour of device pixel (x, y) as a grey level, or -1 when it is not grey.
int SurfaceLevel(const QImage& image, int x, int y) {
  const QRgb pixel = image.pixel(x, y);
  return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) ? qRed(pixel) : -1;
}

TEST_F(DeviceIndepBitmapTest, ColourKeyedDrawingLeavesPixelsWithinTheToleranceTransparent) {
  // The left block is the key colour; the right one differs by the same amount in each of its
  // three bytes, which counts three times against the tolerance.
  const struct {
    std::uint8_t right;
    int tolerance;
    bool rightTransparent;
  } cases[] = {{70, 89, false}, {70, 90, true}, {41, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tolerance);
    const auto picture = LoadPicture(folder_.Blocks("logo.jpg", 2, 1, {40, c.right}));
    RasterDeviceContext dc(16, 8, 254, 254, MakeColourRef(250, 0, 0));
    ASSERT_TRUE(picture->DrawColourKeyed(dc, 0, 0, 16, -8, c.tolerance));
    const QImage image = dc.Image();
    EXPECT_EQ(image.pixel(3, 3), qRgb(250, 0, 0));
    if (c.rightTransparent) {
      EXPECT_EQ(image.pixel(12, 3), qRgb(250, 0, 0));
    } else {
      EXPECT_EQ(SurfaceLevel(image, 12, 3), c.right);
    }
    // The picture itself is not changed by drawing.
    EXPECT_EQ(LevelAt(*picture, 0, 0), 40);
  }
}

}  // namespace
}  // namespace ZodarEdo
