#pragma once

#include <cstddef>
#include <deque>
#include <string>

class Profile;

// The layout files used lately, newest first, at most Capacity of them. Paths are compared byte
// for byte, so two spellings of one file are two entries, as the profile has always kept them.
class RecentFiles {
 public:
  static constexpr std::size_t Capacity = 15;

  // Appends every non-empty value "RecentFilePath00" to "RecentFilePath14" of the settings
  // section, in that order.
  void Load(const Profile& profile);
  // Writes entry n as "RecentFilePath" with n in two digits. Values beyond the last entry are
  // left as they are, so a shorter list keeps older names in the profile.
  void Store(Profile& profile) const;

  // Puts the path at the front, moving it there when it is already listed and dropping the
  // oldest entry when the list is full. An empty path is not listed.
  void Add(const std::string& path);
  // Takes the path out of the list; false when it was not listed.
  bool Remove(const std::string& path);

  const std::deque<std::string>& Entries() const { return entries_; }

  // The profile's value name of entry n.
  static std::string ValueName(std::size_t n);

 private:
  std::deque<std::string> entries_;
};
