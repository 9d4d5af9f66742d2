#include "roster/UniqueFileNames.h"

#include "roster/CaseFold.h"
#include "roster/SafeFileName.h"

UniqueFileNames::UniqueFileNames(std::string extension) : extension_(std::move(extension)) {}

void UniqueFileNames::Reserve(std::string_view name) { taken_.insert(CaseFolded(name)); }

std::string UniqueFileNames::Next(std::string_view stem) {
  std::string name = SafeFileName(stem, extension_);
  for (std::size_t copy = 2; !taken_.insert(CaseFolded(name)).second; ++copy) {
    name = SafeFileName(stem, extension_, " (" + std::to_string(copy) + ")");
  }
  return name;
}
