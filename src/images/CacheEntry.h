#pragma once

#include <memory>
#include <string>

#include "images/DeviceIndepBitmap.h"

// One picture of the image cache: the working picture that callers receive, with the
// adjustments of the last request applied, and the untouched decoded picture it is made from.
struct CacheEntry {
  using Picture = std::shared_ptr<ZodarEdo::DeviceIndepBitmap>;

  // A fresh entry holds no file and two empty pictures.
  CacheEntry()
      : Working(std::make_shared<ZodarEdo::DeviceIndepBitmap>()),
        Decoded(std::make_shared<ZodarEdo::DeviceIndepBitmap>()) {}

  // Nobody outside the cache holds either picture, so the entry may be reused or removed.
  bool Idle() const { return Working.use_count() == 1 && Decoded.use_count() == 1; }

  std::string Path;  // "" while the entry holds no file
  Picture Working;
  Picture Decoded;
  // How the file was decoded: the reduction (0 while the entry holds no file) and the size the
  // file declared, from which the reduction a request needs is worked out without the file.
  int Reduction = 0;
  ZodarEdo::PictureSize Declared;
  // The working picture is as it was decoded and nobody has had it yet, so adjustments may be
  // applied to it straight away.
  bool Fresh = false;
};
