#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "roster/ClassMember.h"

// The path of a picture field: empty for an empty field, the path itself when absolute, else
// the path under folder (left relative when folder is empty), with "." and ".." steps resolved.
std::string PicturePath(std::string_view field, const std::string& folder);

// Where a picture named by a list lies, and how it was found.
struct FoundPicture {
  std::string Path;
  PictureMatch Match = PictureMatch::AsWritten;
};

// Finds the pictures a portrait index names. Index files come from Windows machines, whose file
// names ignore case, so a name that matches no file exactly is looked for ignoring case, a
// folder at a time: the one entry that differs only in case is taken, and several such
// entries take none. Each folder is listed once for all the pictures in it.
class PictureFinder {
 public:
  FoundPicture Find(const std::string& path);

 private:
  // The entries of a folder with their case-folded names.
  const std::vector<std::pair<std::string, std::string>>& Listing(const std::string& folder);

  std::map<std::string, std::vector<std::pair<std::string, std::string>>> listings_;
};
