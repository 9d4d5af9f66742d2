#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/PLPicDecoder.h"

class PLExifData;
struct PLJPEGContext;

// Decodes JPEG files with libjpeg: colour pictures into 32 bits per pixel (blue, green, red and
// a fourth byte), greyscale ones into 8 bits, CMYK ones into 32 bits without colour conversion.
// The Exif data of the open file can be taken with TakeExif.
class PLJPEGDecoder : public PLPicDecoder {
 public:
  // Pictures whose header declares more pixels than this are refused with code 10.
  static constexpr std::uint64_t kDefaultPixelLimit = 100'000'000;

  PLJPEGDecoder();
  ~PLJPEGDecoder() override;

  void CloseSource() override;

  // Assigns the open file's Exif data to target; leaves target alone when there is none.
  void TakeExif(PLExifData& target) const;

  // Fast decoding (the default) replaces smooth chroma upsampling with a cheaper one.
  bool FastDecoding() const { return fastDecoding_; }
  void SetFastDecoding(bool fast) { fastDecoding_ = fast; }

  // Lowers or raises the largest picture that is decoded; the memory the JPEG library may use
  // for one picture grows with it.
  std::uint64_t PixelLimit() const { return pixelLimit_; }
  void SetPixelLimit(std::uint64_t pixels) { pixelLimit_ = pixels; }

 protected:
  void OpenSource(PLDataSource& source) override;
  void DecodePixels(PLBmp& bmp) override;

 private:
  // Runs one sequence of calls into libjpeg; a fatal error of libjpeg inside it aborts the
  // decompression and is raised as our exception.
  void RunLibjpeg(void (*step)(PLJPEGContext&));

  std::unique_ptr<PLJPEGContext> context_;
  std::unique_ptr<PLExifData> exif_;
  bool fastDecoding_ = true;
  std::uint64_t pixelLimit_ = kDefaultPixelLimit;
};
