#include "platform/InstallFolder.h"

#include <QCoreApplication>
#include <filesystem>
#include <system_error>

#include "platform/FileStamp.h"

namespace {

constexpr char kSampleImage[] = "SampleImage.jpg";

std::string WithSeparator(const std::filesystem::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

}  // namespace

std::string InstallFolderFor(const std::string& executableFolder) {
  const std::filesystem::path folder(executableFolder);
  if (PathExists((folder / kSampleImage).string())) return WithSeparator(folder);
  const std::filesystem::path shared = folder / ".." / "share" / "montage-designer";
  if (PathExists((shared / kSampleImage).string())) {
    return WithSeparator(shared.lexically_normal());
  }
  return WithSeparator(folder);
}

std::string FindInstallFolder() {
  if (QCoreApplication::instance() != nullptr) {
    return InstallFolderFor(QCoreApplication::applicationDirPath().toStdString());
  }
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return InstallFolderFor(error ? std::string(".") : executable.parent_path().string());
}
