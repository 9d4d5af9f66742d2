#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/PLBmpInfo.h"

class PLBmp;
class PLDataSource;
class ProgressNotification;

// The base of picture decoders. A decoder is opened on a file or a block of memory, which fills
// its description (the PLBmpInfo part); ReadImage then makes a bitmap of that description and
// decodes the pixels into it; CloseSource gives the input back. Failures raise PLTextException.
class PLPicDecoder : public PLBmpInfo {
 public:
  ~PLPicDecoder() override;
  PLPicDecoder(const PLPicDecoder&) = delete;
  PLPicDecoder& operator=(const PLPicDecoder&) = delete;

  // Opens the file and reads its header. A source still open from before is closed first.
  void OpenPath(const std::string& path, ProgressNotification* progress = nullptr);
  // Opens a block of the caller's memory, which must stay valid until CloseSource.
  void OpenMemory(const std::uint8_t* data, std::size_t size);

  // Decodes the open picture into bmp at bpp bits per pixel (0: the picture's own depth). A
  // depth above the picture's is reached by conversion; a depth below it is refused.
  virtual void ReadImage(PLBmp& bmp, int bpp = 0);
  virtual void CloseSource();
  bool IsOpen() const { return source_ != nullptr; }

  // Open, read and close in one step; the input is closed also when decoding fails.
  void DecodeFile(const std::string& path, PLBmp& bmp, int bpp = 0,
                  ProgressNotification* progress = nullptr);
  void DecodeMemory(const std::uint8_t* data, std::size_t size, PLBmp& bmp, int bpp = 0);

 protected:
  PLPicDecoder() = default;

  // Reads the header of the format from the source and fills the description.
  virtual void OpenSource(PLDataSource& source) = 0;
  // Decodes the pixels into bmp, which has been created from the description.
  virtual void DecodePixels(PLBmp& bmp) = 0;

  // Raises code with the message inside "Decoder error: %s\n".
  [[noreturn]] static void RaiseError(int code, const std::string& message);

 private:
  void Open(std::unique_ptr<PLDataSource> source);
  // Reads the open picture and closes the input, also when reading fails.
  void ReadAndClose(PLBmp& bmp, int bpp);

  std::unique_ptr<PLDataSource> source_;
};
