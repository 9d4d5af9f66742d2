#include "roster/PictureFinder.h"

#include <sys/stat.h>

#include <filesystem>

#include "roster/CaseFold.h"
#include "roster/CsvReader.h"

namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string PicturePath(std::string_view field, const std::string& folder) {
  const std::string path = TrimmedField(field);
  if (path.empty()) return {};
  const fs::path picture(path);
  if (picture.is_absolute() || folder.empty()) return picture.lexically_normal().string();
  return (fs::path(folder) / picture).lexically_normal().string();
}

FoundPicture PictureFinder::Find(const std::string& path) {
  if (path.empty() || Exists(path)) return {path, PictureMatch::AsWritten};
  fs::path found;
  bool changed = false;
  for (const fs::path& part : fs::path(path)) {
    const fs::path exact = found / part;
    if (part == part.root_path() || part == ".." || Exists(exact)) {
      found = exact;
      continue;
    }
    const std::string wanted = CaseFolded(part.string());
    const std::string* match = nullptr;
    for (const auto& [folded, name] : Listing(found.empty() ? "." : found.string())) {
      if (folded != wanted) continue;
      if (match != nullptr) return {path, PictureMatch::SeveralIgnoringCase};
      match = &name;
    }
    if (match == nullptr) return {path, PictureMatch::AsWritten};
    found /= *match;
    changed = true;
  }
  if (!changed) return {path, PictureMatch::AsWritten};
  return {found.string(), PictureMatch::IgnoringCase};
}

const std::vector<std::pair<std::string, std::string>>& PictureFinder::Listing(
    const std::string& folder) {
  const auto known = listings_.find(folder);
  if (known != listings_.end()) return known->second;
  std::vector<std::pair<std::string, std::string>>& entries = listings_[folder];
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    entries.emplace_back(CaseFolded(name), name);
  }
  return entries;
}
