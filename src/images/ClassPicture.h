#pragma once

#include <memory>
#include <string>

#include "images/CropGeometry.h"

class ImageAdjustments;
class ImageCache;
struct ImageError;

namespace ZodarEdo {
class DeviceIndepBitmap;
}

// The picture of one class member as a cell starts from: decoded through the cache, turned as
// the adjustments say (upright by its Exif orientation for a class), and a copy of its own that
// the caller may cut. cellPixels is the size in output pixels the picture must still fill once
// cut, 0 x 0 when it is not known; every class picture is loaded here, so that how pictures are
// decoded for a class is decided in this one place. Null, with error set, when the picture
// cannot be had; a file that failed to decode is not tried again until it changes.
std::shared_ptr<ZodarEdo::DeviceIndepBitmap> LoadClassPicture(ImageCache& cache,
                                                              const std::string& path,
                                                              const ImageAdjustments& adjustments,
                                                              ZodarEdo::PictureSize cellPixels,
                                                              ImageError& error);
