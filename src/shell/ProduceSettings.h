#pragma once

#include <cstdint>
#include <string>

class Profile;

// The choices of the Produce Composites dialog, kept in the user's profile (never in the layout)
// so that the next school is produced as the last one was. The rows are the dialog's lists'.
struct ProduceSettings {
  std::string OutputFolder;
  std::uint32_t FormatRow = 0;  // JPEG, PNG, PDF
  std::uint32_t Dpi = 300;
  std::uint32_t GroupByRow = 0;  // Teacher, Home room, Grade, One group
  std::uint32_t MissingRow = 0;  // Placeholder, Leave out
  bool Proof = false;

  // Reads the values, each with its default where the profile has none or one out of range.
  void Load(const Profile& profile);
  void Store(Profile& profile) const;
};
