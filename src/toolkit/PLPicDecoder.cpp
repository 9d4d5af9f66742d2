#include "toolkit/PLPicDecoder.h"

#include <utility>

#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLFileSource.h"
#include "toolkit/PLMemSource.h"
#include "toolkit/PLTextException.h"

PLPicDecoder::~PLPicDecoder() = default;

void PLPicDecoder::OpenPath(const std::string& path, ProgressNotification* progress) {
  CloseSource();
  auto source = std::make_unique<PLFileSource>(progress);
  if (const int code = source->Open(path)) RaiseError(code, "Opening " + path + " failed");
  Open(std::move(source));
}

void PLPicDecoder::OpenMemory(const std::uint8_t* data, std::size_t size) {
  CloseSource();
  auto source = std::make_unique<PLMemSource>();
  source->Open(data, size);
  Open(std::move(source));
}

void PLPicDecoder::Open(std::unique_ptr<PLDataSource> source) {
  source_ = std::move(source);
  try {
    OpenSource(*source_);
  } catch (...) {
    CloseSource();
    throw;
  }
}

void PLPicDecoder::ReadImage(PLBmp& bmp, int bpp) {
  if (!source_) throw PLTextException(PL_ERRDECODE_FAILURE, "No picture is open.");
  if (bpp == 0 || bpp == BitsPerPixel()) {
    bmp.CreateFromInfo(*this);
    DecodePixels(bmp);
    return;
  }
  if (bpp < BitsPerPixel()) {
    throw PLTextException(PL_ERRDECODE_FAILURE, "Image bit depth doesn't match request.");
  }
  PLAnyBmp decoded;
  decoded.CreateFromInfo(*this);
  DecodePixels(decoded);
  bmp.CopyFrom(decoded, bpp);
}

void PLPicDecoder::CloseSource() {
  source_.reset();
  SetBmpInfo(PLBmpInfo());
}

void PLPicDecoder::DecodeFile(const std::string& path, PLBmp& bmp, int bpp,
                              ProgressNotification* progress) {
  OpenPath(path, progress);
  ReadAndClose(bmp, bpp);
}

void PLPicDecoder::DecodeMemory(const std::uint8_t* data, std::size_t size, PLBmp& bmp, int bpp) {
  OpenMemory(data, size);
  ReadAndClose(bmp, bpp);
}

void PLPicDecoder::ReadAndClose(PLBmp& bmp, int bpp) {
  try {
    ReadImage(bmp, bpp);
  } catch (...) {
    CloseSource();
    throw;
  }
  CloseSource();
}

void PLPicDecoder::RaiseError(int code, const std::string& message) {
  throw PLTextException(code, "Decoder error: " + message + "\n");
}
