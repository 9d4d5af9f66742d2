#include "shell/ProduceSettings.h"

#include "platform/Profile.h"

namespace {

// A row beyond its list (a profile edited by hand, or written by a later version) takes the
// default.
std::uint32_t Row(const Profile& profile, const char* name, std::uint32_t rows) {
  const std::uint32_t row = profile.ReadNumber(Profile::SettingsSection, name, 0);
  return row < rows ? row : 0;
}

}  // namespace

void ProduceSettings::Load(const Profile& profile) {
  const std::string section = Profile::SettingsSection;
  OutputFolder = profile.ReadText(section, "ProduceFolder", "");
  FormatRow = Row(profile, "ProduceFormat", 3);
  const std::uint32_t dpi = profile.ReadNumber(section, "ProduceDpi", 300);
  Dpi = dpi >= 72 && dpi <= 1200 ? dpi : 300;
  GroupByRow = Row(profile, "ProduceGroupBy", 4);
  MissingRow = Row(profile, "ProduceMissing", 2);
  Proof = profile.ReadNumber(section, "ProduceProof", 0) != 0;
}

void ProduceSettings::Store(Profile& profile) const {
  const std::string section = Profile::SettingsSection;
  profile.WriteText(section, "ProduceFolder", OutputFolder);
  profile.WriteNumber(section, "ProduceFormat", FormatRow);
  profile.WriteNumber(section, "ProduceDpi", Dpi);
  profile.WriteNumber(section, "ProduceGroupBy", GroupByRow);
  profile.WriteNumber(section, "ProduceMissing", MissingRow);
  profile.WriteNumber(section, "ProduceProof", Proof ? 1 : 0);
}
