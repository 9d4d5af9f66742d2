#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "images/CropGeometry.h"
#include "support/ScratchFolder.h"

namespace ZodarEdo {
class DeviceIndepBitmap;

// How test failures show sizes and boxes.
void PrintTo(const PictureSize& size, std::ostream* os);
void PrintTo(const CropBox& box, std::ostream* os);
}  // namespace ZodarEdo

// A scratch folder of JPEG files made by the tests, removed with the object.
class PictureFolder {
 public:
  std::string Path(const std::string& name) const;
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  // A colour JPEG that compresses like a photograph.
  std::string Photo(const std::string& name, int width, int height) const;
  // A greyscale JPEG of flat 8 x 8 blocks, columns x rows of them, with the given levels in
  // reading order. Flat blocks at full quality decode to exactly their level.
  std::string Blocks(const std::string& name, int columns, int rows,
                     const std::vector<std::uint8_t>& levels) const;

 private:
  ScratchFolder folder_{"pictures"};
};

// The picture of a file, loaded the way the program loads one.
std::shared_ptr<ZodarEdo::DeviceIndepBitmap> LoadPicture(const std::string& path);

// The grey level of the pixel (x, y) of a loaded picture (its blue byte).
int LevelAt(const ZodarEdo::DeviceIndepBitmap& picture, int x, int y);
