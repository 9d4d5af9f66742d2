#include "images/ClassPicture.h"

#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "images/ImageCache.h"

std::shared_ptr<ZodarEdo::DeviceIndepBitmap> LoadClassPicture(ImageCache& cache,
                                                              const std::string& path,
                                                              const ImageAdjustments& adjustments,
                                                              ZodarEdo::PictureSize /*cellPixels*/,
                                                              ImageError& error) {
  error = {};
  const ImageCache::Picture picture = cache.Get(path, error, &adjustments);
  if (!picture || error.Failed()) return nullptr;
  // The cache's picture is handed out again to the next caller, so the cell cuts a copy.
  auto copy = std::make_shared<ZodarEdo::DeviceIndepBitmap>();
  if (!copy->Assign(*picture)) {
    error = copy->GetError();
    return nullptr;
  }
  return copy;
}
