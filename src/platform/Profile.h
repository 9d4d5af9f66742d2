#pragma once

#include <cstdint>
#include <memory>
#include <string>

class QSettings;

// The application's profile: numbers and texts kept by section and value name, as the Windows
// registry kept them under Software\Larkfield\Montage. Values are read with a default and are
// not trusted: anything that is not what the caller asks for reads as the default.
class Profile {
 public:
  // The section that holds every setting of the program.
  static constexpr const char* SettingsSection = "Settings";

  // The user's profile (QSettings "Larkfield", "Montage": the registry key on Windows, an INI
  // file in the user's configuration folder on Linux).
  Profile();
  // A profile kept in the INI file at this path, away from the user's settings.
  explicit Profile(const std::string& iniPath);
  // Writes what is still pending.
  ~Profile();
  Profile(const Profile&) = delete;
  Profile& operator=(const Profile&) = delete;

  // A 32-bit number as the registry holds one; a negative stored number reads as its two's
  // complement, so signed values round-trip through a cast.
  std::uint32_t ReadNumber(const std::string& section, const std::string& name,
                           std::uint32_t fallback) const;
  std::string ReadText(const std::string& section, const std::string& name,
                       const std::string& fallback) const;
  void WriteNumber(const std::string& section, const std::string& name, std::uint32_t value);
  void WriteText(const std::string& section, const std::string& name, const std::string& text);

  // Writes pending changes now; false when the storage could not be written.
  bool Flush();
  // Where the values are kept, for messages.
  std::string FileName() const;

 private:
  std::unique_ptr<QSettings> settings_;
};
