#include "shell/VersionCheck.h"

#include <cmath>

#include "platform/Profile.h"
#include "shell/ProgramVersion.h"

namespace {

constexpr char kVersion[] = "Version";

double RoundToFourPlaces(double value) { return std::floor(value * 10000.0 + 0.5) / 10000.0; }

}  // namespace

std::uint32_t VersionNumberToStore() {
  return static_cast<std::uint32_t>(ProgramVersion * 100000.0);
}

bool IsNewerThanStored(std::uint32_t storedNumber) {
  const double stored = RoundToFourPlaces(storedNumber / 100000.0);
  return RoundToFourPlaces(ProgramVersion) > stored;
}

void CheckVersion(Profile& profile, void (*showChanges)()) {
  if (!ChangeList.empty() &&
      IsNewerThanStored(profile.ReadNumber(Profile::SettingsSection, kVersion, 0))) {
    showChanges();
  }
  profile.WriteNumber(Profile::SettingsSection, kVersion, VersionNumberToStore());
}
