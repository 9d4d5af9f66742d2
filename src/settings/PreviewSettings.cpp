#include "settings/PreviewSettings.h"

#include <cstdio>
#include <optional>

#include "platform/Profile.h"

namespace {

#ifdef _WIN32
constexpr char kFolderSeparator = '\\';
#else
constexpr char kFolderSeparator = '/';
#endif

std::optional<PreviewSettings>& InstanceSlot() {
  static std::optional<PreviewSettings> slot;
  return slot;
}

bool EndsInSeparator(const std::string& folder) {
  const char last = folder.back();
  return last == kFolderSeparator || last == '/';
}

int ValidRow(int row) {
  return row >= 0 && row < static_cast<int>(PreviewSettings::PaperSizes.size())
             ? row
             : PreviewSettings::CustomPaperType;
}

std::string CustomColourName(std::size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "CustomColour%02zu", index);
  return name;
}

std::string CaptionName(std::size_t index) { return "SampleCaptionText" + std::to_string(index); }

}  // namespace

PreviewSettings& PreviewSettings::Instance() {
  std::optional<PreviewSettings>& slot = InstanceSlot();
  if (!slot) {
    slot.emplace();
    const Profile profile;
    slot->Load(profile);
  }
  return *slot;
}

void PreviewSettings::ReplaceInstance(const PreviewSettings& values) {
  // Assigning into an existing record keeps references to Instance() valid.
  InstanceSlot() = values;
}

void PreviewSettings::Load(const Profile& profile) {
  const PreviewSettings defaults;
  const std::string section = Profile::SettingsSection;
  SampleImagePath = profile.ReadText(section, "SampleImagePath", "");
  BackgroundImage = profile.ReadText(section, "BackgroundImage", "");
  LogoImage = profile.ReadText(section, "LogoImage", "");
  ClassListPath = profile.ReadText(section, "ClassList", "");
  ClassGroup = profile.ReadText(section, "ClassGroup", "");
  PaperType = static_cast<std::int32_t>(
      profile.ReadNumber(section, "PaperType", static_cast<std::uint32_t>(defaults.PaperType)));
  SamplePortrait = profile.ReadNumber(section, "SamplePortrait", 1) != 0;
  PaperHeight = profile.ReadNumber(section, "PaperHeight", defaults.PaperHeight);
  PaperWidth = profile.ReadNumber(section, "PaperWidth", defaults.PaperWidth);
  NumImages = profile.ReadNumber(section, "NumImages", defaults.NumImages);
  for (std::size_t i = 0; i < CustomColour.size(); ++i) {
    CustomColour[i] = profile.ReadNumber(section, CustomColourName(i), defaults.CustomColour[i]);
  }
  for (std::size_t i = 0; i < SampleCaptionText.size(); ++i) {
    SampleCaptionText[i] = profile.ReadText(section, CaptionName(i), defaults.SampleCaptionText[i]);
  }
  DerivePaperType();
  // Paths that the profile left empty point at the samples again when the folder is known.
  if (!InstallFolder.empty()) SetInstallFolder(InstallFolder);
}

void PreviewSettings::Store(Profile& profile) const {
  const std::string section = Profile::SettingsSection;
  profile.WriteText(section, "SampleImagePath", SampleImagePath);
  profile.WriteText(section, "BackgroundImage", BackgroundImage);
  profile.WriteText(section, "LogoImage", LogoImage);
  profile.WriteText(section, "ClassList", ClassListPath);
  profile.WriteText(section, "ClassGroup", ClassGroup);
  profile.WriteNumber(section, "SamplePortrait", SamplePortrait ? 1 : 0);
  profile.WriteNumber(section, "PaperType", static_cast<std::uint32_t>(PaperType));
  profile.WriteNumber(section, "PaperHeight", PaperHeight);
  profile.WriteNumber(section, "PaperWidth", PaperWidth);
  profile.WriteNumber(section, "NumImages", NumImages);
  for (std::size_t i = 0; i < CustomColour.size(); ++i) {
    profile.WriteNumber(section, CustomColourName(i), CustomColour[i]);
  }
  for (std::size_t i = 0; i < SampleCaptionText.size(); ++i) {
    profile.WriteText(section, CaptionName(i), SampleCaptionText[i]);
  }
}

void PreviewSettings::SetInstallFolder(const std::string& folder) {
  InstallFolder = folder;
  // The sample names are appended as they are, so a folder given without its separator would
  // name files beside the folder instead of in it.
  if (!InstallFolder.empty() && !EndsInSeparator(InstallFolder)) {
    InstallFolder += kFolderSeparator;
  }
  if (SampleImagePath.empty()) SampleImagePath = InstallFolder + "SampleImage.jpg";
  if (BackgroundImage.empty()) BackgroundImage = InstallFolder + "SampleBackground.jpg";
  if (LogoImage.empty()) LogoImage = InstallFolder + "SampleLogo.jpg";
}

void PreviewSettings::SetPaperType(int row) {
  PaperType = ValidRow(row);
  PaperHeight = PaperSizes[static_cast<std::size_t>(PaperType)].Height;
  PaperWidth = PaperSizes[static_cast<std::size_t>(PaperType)].Width;
}

void PreviewSettings::SetPaperHeight(std::uint32_t value, bool portrait) {
  (portrait ? PaperWidth : PaperHeight) = value;
  DerivePaperType();
}

void PreviewSettings::SetPaperWidth(std::uint32_t value, bool portrait) {
  (portrait ? PaperHeight : PaperWidth) = value;
  DerivePaperType();
}

void PreviewSettings::DerivePaperType() {
  PaperType = CustomPaperType;
  for (int row = 0; row < CustomPaperType; ++row) {
    const PaperSize& size = PaperSizes[static_cast<std::size_t>(row)];
    if (size.Height == PaperHeight && size.Width == PaperWidth) {
      PaperType = row;
      return;
    }
  }
}

std::pair<std::uint32_t, std::uint32_t> PreviewSettings::LookUpPaperSize(int row, bool portrait) {
  const PaperSize& size = PaperSizes[static_cast<std::size_t>(ValidRow(row))];
  return portrait ? std::pair(size.Width, size.Height) : std::pair(size.Height, size.Width);
}
