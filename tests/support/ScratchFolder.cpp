#include "support/ScratchFolder.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <system_error>

ScratchFolder::ScratchFolder(const std::string& prefix) {
  static int made = 0;
  path_ = std::filesystem::temp_directory_path() /
          (prefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;  // a folder that cannot be removed must not end the test run
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchFolder::Write(const std::filesystem::path& relative,
                                           const std::string& bytes) const {
  const std::filesystem::path path = path_ / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}
