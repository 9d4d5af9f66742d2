#include "images/DeviceIndepBitmap.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "images/PLFilterColor.h"
#include "images/PLFilterHSB.h"
#include "images/PLFilterLightnessPercent.h"
#include "images/PLFilterRotate.h"
#include "platform/DeviceContext.h"
#include "toolkit/PLExifData.h"
#include "toolkit/PLFilterContrast.h"
#include "toolkit/PLFilterCrop.h"
#include "toolkit/PLFilterGrayscale.h"
#include "toolkit/PLFilterResizeBilinear.h"
#include "toolkit/PLJPEGDecoder.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLWinBmp.h"

namespace ZodarEdo {

namespace {

// The size an empty toolkit bitmap reports, which a picture without pixels answers with.
constexpr PictureSize kEmptySize{16, 16};

// Contrast about mid-grey.
constexpr std::uint8_t kContrastOffset = 128;

int QuarterTurns(int turns) { return ((turns % 4) + 4) % 4; }

// A word whose first count bytes in memory are 0xFF and the rest zero.
std::uint32_t MaskOfFirstBytes(int count) {
  std::uint32_t mask = 0;
  auto* bytes = reinterpret_cast<std::uint8_t*>(&mask);
  for (int i = 0; i < count; ++i) bytes[i] = 0xFF;
  return mask;
}

}  // namespace

DeviceIndepBitmap::DeviceIndepBitmap() = default;
DeviceIndepBitmap::~DeviceIndepBitmap() = default;

template <typename Step>
bool DeviceIndepBitmap::Run(Step step) {
  try {
    step();
    return true;
  } catch (const PLTextException& exception) {
    RecordToolkitError(exception);
  } catch (const std::bad_alloc&) {
    // Working storage outside the toolkit's bitmaps is reported as the toolkit reports its own.
    RecordToolkitError(PLTextException(PL_ERRNO_MEMORY, "Out of memory."));
  }
  return false;
}

ImageError DeviceIndepBitmap::RecordToolkitError(const PLTextException& exception) {
  error_ = ImageError::FromToolkit(exception);
  return error_;
}

DeviceIndepBitmap& DeviceIndepBitmap::operator=(const DeviceIndepBitmap& source) {
  Assign(source);
  return *this;
}

bool DeviceIndepBitmap::Assign(const DeviceIndepBitmap& source) { return CopyOf(source, nullptr); }

bool DeviceIndepBitmap::AssignCut(const DeviceIndepBitmap& source, const CropBox& box) {
  if (this == &source) {
    return Crop(static_cast<int>(box.Left), static_cast<int>(box.Top), static_cast<int>(box.Right),
                static_cast<int>(box.Bottom));
  }
  const PictureSize size = source.GetSize();
  const bool inside = box.Left >= 0 && box.Top >= 0 && box.Right <= size.Width &&
                      box.Bottom <= size.Height && box.Left <= box.Right && box.Top <= box.Bottom;
  if (!source.pixels_ || !inside || box == CropBox{0, 0, size.Width, size.Height}) {
    return Assign(source);
  }
  const PLFilterCrop cut(static_cast<int>(box.Left), static_cast<int>(box.Top),
                         static_cast<int>(box.Right), static_cast<int>(box.Bottom));
  return CopyOf(source, &cut);
}

bool DeviceIndepBitmap::CopyOf(const DeviceIndepBitmap& source, const PLFilter* cut) {
  if (this == &source) return true;
  const bool copied = Run([&] {
    if (!source.pixels_) {
      pixels_.reset();
    } else if (pixels_ && cut == nullptr) {
      pixels_->CopyFrom(*source.pixels_, 0);
    } else {
      // An object that had no pixels keeps none when the copy fails, and a cut is made straight
      // into a bitmap of its own, so that the pixels outside the box are never copied.
      auto pixels = std::make_unique<PLWinBmp>();
      if (cut != nullptr) {
        cut->FilterInto(*source.pixels_, *pixels);
      } else {
        pixels->CopyFrom(*source.pixels_, 0);
      }
      pixels_ = std::move(pixels);
    }
    if (!source.exif_) {
      exif_.reset();
    } else {
      if (!exif_) exif_ = std::make_unique<PLExifData>();
      *exif_ = *source.exif_;
    }
  });
  if (copied) {
    rotation_ = source.rotation_;
    error_ = source.error_;
    reduction_ = source.reduction_;
    declaredSize_ = source.declaredSize_;
  }
  return copied;
}

ImageError DeviceIndepBitmap::LoadJpegFile(const std::string& path, PLJPEGDecoder& decoder,
                                           int maxWidth, int maxHeight) {
  return Load(path, decoder, DecodeTarget{}, maxWidth, maxHeight);
}

ImageError DeviceIndepBitmap::LoadJpegFile(const std::string& path, PLJPEGDecoder& decoder,
                                           const DecodeTarget& target) {
  return Load(path, decoder, target, 0, 0);
}

ImageError DeviceIndepBitmap::Load(const std::string& path, PLJPEGDecoder& decoder,
                                   const DecodeTarget& target, int maxWidth, int maxHeight) {
  std::unique_ptr<PLWinBmp> fresh;
  const bool limited = maxWidth > 0 && maxHeight > 0;
  PictureSize declared;
  const bool loaded = Run([&] {
    if (!exif_) exif_ = std::make_unique<PLExifData>();
    if (!pixels_) fresh = std::make_unique<PLWinBmp>();
    PLWinBmp& bitmap = pixels_ ? *pixels_ : *fresh;
    decoder.OpenPath(path);
    declared = {decoder.DeclaredSize().x, decoder.DeclaredSize().y};
    DecodeTarget wanted = target;
    if (limited && (declared.Width > maxWidth || declared.Height > maxHeight)) {
      const PictureSize fit = FitInside(declared.Width, declared.Height, maxWidth, maxHeight);
      wanted = DecodeTarget{.CellWidth = fit.Width, .CellHeight = fit.Height};
    }
    decoder.SetReduction(wanted.ReductionFor(declared.Width, declared.Height));
    decoder.ReadImage(bitmap, 32);
    // A file without Exif data must not keep the orientation of the file loaded before it:
    // the cache loads many files into the same picture objects.
    *exif_ = PLExifData();
    decoder.TakeExif(*exif_);
    decoder.CloseSource();
    if (limited && (bitmap.Width() > maxWidth || bitmap.Height() > maxHeight)) {
      const PictureSize fit = FitInside(bitmap.Width(), bitmap.Height(), maxWidth, maxHeight);
      bitmap.ApplyFilter(PLFilterResizeBilinear(fit.Width, fit.Height));
    }
  });
  if (!loaded) {
    // The file stays mapped while the decoder holds it; a failed load has no use for it.
    decoder.CloseSource();
    return error_;
  }
  if (fresh) pixels_ = std::move(fresh);
  rotation_ = 0;
  reduction_ = decoder.Reduction();
  declaredSize_ = declared;
  return {};
}

void DeviceIndepBitmap::ReplaceWithResized(const PLFilter& filter) {
  // Filtering in place would make the result in a scratch bitmap and then copy it into new
  // storage of the new size; made straight into a bitmap of its own it is written once. A
  // filter that fails leaves the pixels as they were.
  auto result = std::make_unique<PLWinBmp>();
  filter.FilterInto(*pixels_, *result);
  pixels_ = std::move(result);
}

void DeviceIndepBitmap::Release() {
  pixels_.reset();
  exif_.reset();
  error_ = {};
  rotation_ = 0;
  reduction_ = 0;
  declaredSize_ = {};
}

PictureSize DeviceIndepBitmap::GetSize() const {
  return pixels_ ? PictureSize{pixels_->Width(), pixels_->Height()} : kEmptySize;
}

int DeviceIndepBitmap::BitsPerPixel() const { return pixels_ ? pixels_->BitsPerPixel() : 0; }

PictureResolution DeviceIndepBitmap::Resolution() const {
  if (!pixels_) return {};
  return {pixels_->Resolution().x, pixels_->Resolution().y};
}

double DeviceIndepBitmap::ExifValue(const std::string& tag) const {
  return exif_ ? exif_->NumericValue(tag) : 0.0;
}

void DeviceIndepBitmap::DrawStretched(DeviceContext& dc, int x, int y, int width, int height,
                                      RasterOp op) const {
  if (pixels_) pixels_->BlitStretched(dc, x, y, width, height, op);
}

void DeviceIndepBitmap::DrawPartStretched(DeviceContext& dc, int x, int y, int width, int height,
                                          int left, int top, int right, int bottom,
                                          RasterOp op) const {
  if (!pixels_ || left < 0 || top < 0 || right > pixels_->Width() || bottom > pixels_->Height() ||
      left >= right || top >= bottom) {
    return;
  }
  // A device-independent bitmap counts its rows from the bottom.
  dc.StretchDIBits(x, y, width, height, left, pixels_->Height() - bottom, right - left,
                   bottom - top, pixels_->View(), op);
}

bool DeviceIndepBitmap::IsLandscape() const {
  const PictureSize size = GetSize();
  return size.Height < size.Width;
}

bool DeviceIndepBitmap::Crop(int left, int top, int right, int bottom) {
  if (!pixels_) return true;
  const PictureSize size = GetSize();
  // A rectangle outside the picture is not cut at all; cutting the whole picture changes nothing.
  if (left < 0 || top < 0 || right > size.Width || bottom > size.Height || left > right ||
      top > bottom) {
    return true;
  }
  if (left == 0 && top == 0 && right == size.Width && bottom == size.Height) return true;
  return Run([&] { ReplaceWithResized(PLFilterCrop(left, top, right, bottom)); });
}

bool DeviceIndepBitmap::CropToRatio(double first, double second, int zoom, int verticalShift,
                                    int horizontalShift) {
  if (!pixels_) return true;
  const PictureSize size = GetSize();
  const auto box =
      RatioCropBox(size.Width, size.Height, first, second, zoom, verticalShift, horizontalShift);
  if (!box) return true;
  // A zoom beyond the picture gives a box outside it, which Crop would leave alone as well.
  if (box->Left < 0 || box->Top < 0 || box->Right > size.Width || box->Bottom > size.Height) {
    return true;
  }
  return Crop(static_cast<int>(box->Left), static_cast<int>(box->Top), static_cast<int>(box->Right),
              static_cast<int>(box->Bottom));
}

bool DeviceIndepBitmap::RotateBy(int turn) {
  const int turns = QuarterTurns(turn);
  if (!pixels_ || turns == 0) return true;
  // The filter's turns are 0 clockwise, 1 half, 2 anticlockwise.
  const PLFilterRotate rotate(turns - 1);
  const bool sameShape = turns == 2 || pixels_->Width() == pixels_->Height();
  if (!Run([&] { sameShape ? pixels_->ApplyFilter(rotate) : ReplaceWithResized(rotate); })) {
    return false;
  }
  rotation_ = (rotation_ + turns) % 4;
  return true;
}

bool DeviceIndepBitmap::SetRotation(int target) {
  if (!pixels_) return true;
  const int wanted = QuarterTurns(target);
  return RotateBy(QuarterTurns(wanted - rotation_));
}

bool DeviceIndepBitmap::AdjustColour(int red, int green, int blue, bool balanced) {
  if (!pixels_ || (red == 0 && green == 0 && blue == 0)) return true;
  return Run([&] { pixels_->ApplyFilter(PLFilterColor(red, green, blue, balanced)); });
}

bool DeviceIndepBitmap::AdjustHsb(int hue, int saturation, int brightness) {
  if (!pixels_ || (hue == 0 && saturation == 0 && brightness == 0)) return true;
  return Run([&] { pixels_->ApplyFilter(PLFilterHSB(hue, saturation, brightness)); });
}

bool DeviceIndepBitmap::AdjustContrast(int amount) {
  if (!pixels_ || amount == 0) return true;
  const double square = static_cast<double>(amount) * amount;
  const double factor = amount > 0 ? 1 + square / 1000 : 1000 / (square + 1000);
  return Run([&] { pixels_->ApplyFilter(PLFilterContrast(factor, kContrastOffset)); });
}

bool DeviceIndepBitmap::AdjustLightness(int amount, bool additive) {
  if (!pixels_ || amount == 0) return true;
  return Run([&] { pixels_->ApplyFilter(PLFilterLightnessPercent(amount, additive)); });
}

bool DeviceIndepBitmap::MakeGreyscale() {
  if (!pixels_) return true;
  // A grey picture looks flat beside colour ones; lifting it a little first makes up for that.
  AdjustLightness(15, true);
  AdjustContrast(15);
  return Run([&] {
    PLWinBmp grey;
    PLFilterGrayscale().FilterInto(*pixels_, grey);
    pixels_->CopyFrom(grey, 32);
  });
}

bool DeviceIndepBitmap::DrawColourKeyed(DeviceContext& dc, int x, int y, int width, int height,
                                        int tolerance) {
  if (!pixels_) return false;
  if (pixels_->Width() == 0 || pixels_->Height() == 0) return true;
  return Run([&] {
    // The surface is ANDed with a mask that is white where the picture is transparent, then
    // ORed with the picture blacked out there: transparent pixels keep what was drawn before.
    // Both are written in one pass over the picture, a pixel at a time as one word.
    const PLWinBmp* source = pixels_.get();
    PLWinBmp wide;
    if (source->BitsPerPixel() != 32) {
      wide.CopyFrom(*source, 32);
      source = &wide;
    }
    const int columns = source->Width();
    PLWinBmp picture;
    picture.Create(columns, source->Height(), 32, source->Alpha(), false);
    PLWinBmp mask;
    mask.Create(columns, source->Height(), 32, source->Alpha(), false);
    const std::uint8_t* key = source->RowTable()[0];
    // Blue, green and red are the first three bytes whichever way words are stored.
    const std::uint32_t colourBytes = MaskOfFirstBytes(3);
    for (int row = 0; row < source->Height(); ++row) {
      const std::uint8_t* in = source->RowTable()[row];
      std::uint8_t* keyed = picture.RowTable()[row];
      std::uint8_t* out = mask.RowTable()[row];
      for (int column = 0; column < columns; ++column) {
        const std::uint8_t* pixel = in + 4 * column;
        int distance = 0;
        for (int byte = 0; byte < 4; ++byte) distance += std::abs(pixel[byte] - key[byte]);
        const bool transparent = distance <= tolerance;
        std::uint32_t colour;
        std::memcpy(&colour, pixel, 4);
        const std::uint32_t shown = transparent ? colour & ~colourBytes : colour;
        const std::uint32_t ground = transparent ? colourBytes : 0u;
        std::memcpy(keyed + 4 * column, &shown, 4);
        std::memcpy(out + 4 * column, &ground, 4);
      }
    }
    mask.BlitStretched(dc, x, y, width, height, RasterOp::SrcAnd);
    picture.BlitStretched(dc, x, y, width, height, RasterOp::SrcPaint);
  });
}

}  // namespace ZodarEdo
