#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/PLPicDecoder.h"

class PLExifData;
struct PLJPEGContext;

// Decodes JPEG files with libjpeg: colour pictures into 32 bits per pixel (blue, green, red and
// a fourth byte), greyscale ones into 8 bits, CMYK ones into 32 bits without colour conversion.
// The Exif data of the open file can be taken with TakeExif. A picture may be decoded reduced to
// 1/2, 1/4 or 1/8 of its size by libjpeg's DCT scaling, which does a fraction of the work.
class PLJPEGDecoder : public PLPicDecoder {
 public:
  // Decoded pictures of more pixels than this are refused with PL_ERRTOO_LARGE.
  static constexpr std::uint64_t kDefaultPixelLimit = 100'000'000;
  // Files that declare more pixels than this are refused when opened, whatever the reduction.
  static constexpr std::uint64_t kDeclaredPixelLimit = 300'000'000;

  PLJPEGDecoder();
  ~PLJPEGDecoder() override;

  void CloseSource() override;

  // Assigns the open file's Exif data to target; leaves target alone when there is none.
  void TakeExif(PLExifData& target) const;

  // Fast decoding (the default) replaces smooth chroma upsampling with a cheaper one.
  bool FastDecoding() const { return fastDecoding_; }
  void SetFastDecoding(bool fast) { fastDecoding_ = fast; }

  // Lowers or raises the largest picture that is decoded, counted after the reduction. A file
  // is refused when opened if even its 1/8 reduction would be beyond the limit.
  std::uint64_t PixelLimit() const { return pixelLimit_; }
  void SetPixelLimit(std::uint64_t pixels) { pixelLimit_ = pixels; }

  // The reduction of the next decode: 1, 2, 4 or 8 (other values are taken as the nearest
  // of them below). When a file is open its description changes to the reduced size at once,
  // so a caller may open a file, look at DeclaredSize and then choose.
  int Reduction() const { return reduction_; }
  void SetReduction(int reduction);
  // The size the open file declares, before any reduction; 0 x 0 when nothing is open.
  PLPoint DeclaredSize() const;

  // Decodes at the reduction chosen, after checking the reduced size against the pixel limit.
  void ReadImage(PLBmp& bmp, int bpp = 0) override;

 protected:
  void OpenSource(PLDataSource& source) override;
  void DecodePixels(PLBmp& bmp) override;

 private:
  // Runs one sequence of calls into libjpeg; a fatal error of libjpeg inside it aborts the
  // decompression and is raised as our exception.
  void RunLibjpeg(void (*step)(PLJPEGContext&));
  // Fills the description from the header for the current reduction.
  void Describe();

  std::unique_ptr<PLJPEGContext> context_;
  std::unique_ptr<PLExifData> exif_;
  bool fastDecoding_ = true;
  std::uint64_t pixelLimit_ = kDefaultPixelLimit;
  int reduction_ = 1;
};
