#pragma once

#include <set>
#include <string>
#include <string_view>

// Hands out safe file names (see SafeFileName) of one extension, never the same name twice as
// the lab's Windows machine compares names, case aside: the second "Room 4" is "Room 4 (2).jpg",
// the third "Room 4 (3).jpg".
class UniqueFileNames {
 public:
  explicit UniqueFileNames(std::string extension);

  // Marks a file name, extension and all, as taken (such as the report's).
  void Reserve(std::string_view name);
  // The next name for the stem.
  std::string Next(std::string_view stem);

 private:
  std::string extension_;
  std::set<std::string> taken_;
};
