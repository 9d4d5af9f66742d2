#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder for one test, removed with everything in
// it when the test ends. The name holds the process id, so tests that run side by side in
// separate processes never share one.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Writes a file of these bytes at the path relative to the folder, making the folders on the
  // way, and returns its full path.
  std::filesystem::path Write(const std::filesystem::path& relative,
                              const std::string& bytes) const;

 private:
  std::filesystem::path path_;
};

// The names of what a folder holds, sorted, to see what a test left there.
std::vector<std::string> NamesIn(const std::filesystem::path& folder);
