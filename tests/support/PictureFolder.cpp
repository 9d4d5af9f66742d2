#include "support/PictureFolder.h"

#include <gtest/gtest.h>

#include <ostream>

#include "images/DeviceIndepBitmap.h"
#include "support/TestJpeg.h"
#include "toolkit/PLJPEGDecoder.h"
#include "toolkit/PLWinBmp.h"

namespace ZodarEdo {

void PrintTo(const PictureSize& size, std::ostream* os) {
  *os << size.Width << " x " << size.Height;
}

void PrintTo(const CropBox& box, std::ostream* os) {
  *os << "(" << box.Left << ", " << box.Top << ", " << box.Right << ", " << box.Bottom << ")";
}

}  // namespace ZodarEdo

std::string PictureFolder::Path(const std::string& name) const {
  return (folder_.Path() / name).string();
}

std::string PictureFolder::Write(const std::string& name,
                                 const std::vector<std::uint8_t>& bytes) const {
  const std::string path = Path(name);
  testsupport::WriteFile(path, bytes);
  return path;
}

std::string PictureFolder::Photo(const std::string& name, int width, int height) const {
  testsupport::JpegOptions options;
  options.width = width;
  options.height = height;
  return Write(name, testsupport::EncodeJpeg(options));
}

std::string PictureFolder::Blocks(const std::string& name, int columns, int rows,
                                  const std::vector<std::uint8_t>& levels) const {
  testsupport::JpegOptions options;
  options.width = columns * 8;
  options.height = rows * 8;
  options.kind = testsupport::JpegKind::Greyscale;
  options.quality = 100;
  std::vector<std::uint8_t> samples(static_cast<std::size_t>(options.width) * options.height);
  for (int y = 0; y < options.height; ++y) {
    for (int x = 0; x < options.width; ++x) {
      samples[static_cast<std::size_t>(y) * options.width + x] =
          levels.at(static_cast<std::size_t>(y / 8) * columns + x / 8);
    }
  }
  return Write(name, testsupport::EncodeJpeg(options, samples));
}

std::shared_ptr<ZodarEdo::DeviceIndepBitmap> LoadPicture(const std::string& path) {
  auto picture = std::make_shared<ZodarEdo::DeviceIndepBitmap>();
  PLJPEGDecoder decoder;
  const ImageError error = picture->LoadJpegFile(path, decoder);
  EXPECT_EQ(error.Class, ImageError::ImageOk) << error.Text;
  return picture;
}

int LevelAt(const ZodarEdo::DeviceIndepBitmap& picture, int x, int y) {
  return picture.Pixels()->RowTable()[y][x * 4];
}
