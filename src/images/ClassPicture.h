#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "images/CropGeometry.h"
#include "images/DecodeTarget.h"

class ImageAdjustments;
class ImageCache;
struct ImageError;

namespace ZodarEdo {
class DeviceIndepBitmap;
}

// The box of a picture that a cell keeps, worked out from the picture as decoded and turned; none
// keeps all of it.
using CellCut = std::function<std::optional<ZodarEdo::CropBox>(const ZodarEdo::DeviceIndepBitmap&)>;

// The picture of one class member as a cell starts from: decoded through the cache, turned as
// the adjustments say (upright by its Exif orientation for a class), cut to the box that cut
// gives, and a copy of its own that the caller may change further. Only the box is copied out of
// the cache's picture, which for a class of photographs saves copying every picture whole. target
// says how large the picture must stay once cut; a drawing hands the same targets to
// ImageCache::Prefetch first, so that the cache serves every picture here from what it decoded in
// parallel. Null, with error set, when the picture cannot be had; a file that failed to decode is
// not tried again until it changes.
std::shared_ptr<ZodarEdo::DeviceIndepBitmap> LoadClassPicture(
    ImageCache& cache, const std::string& path, const ImageAdjustments& adjustments,
    const DecodeTarget& target, ImageError& error, const CellCut& cut = {});

// Decodes the pictures of the requests on every core into the cache (ImageCache::Prefetch),
// leaving out files that failed before and have not changed since.
void PrefetchClassPictures(ImageCache& cache, std::vector<PictureRequest> requests);
