#pragma once

#include <cstddef>
#include <string>

// One subject of a class list: the names as the list writes them (trimmed, line ends inside a
// name made spaces) and the path of the subject's picture, made absolute against the list's
// folder; an empty path for a subject without a picture.
struct ClassMember {
  std::string FirstName;
  std::string LastName;
  std::string Picture;
  bool Main = false;
  std::size_t Line = 0;  // the line the subject's row starts on, counted from 1
};
