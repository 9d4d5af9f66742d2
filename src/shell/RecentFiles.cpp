#include "shell/RecentFiles.h"

#include <algorithm>
#include <cstdio>

#include "platform/Profile.h"

std::string RecentFiles::ValueName(std::size_t n) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02zu", n % 100);
  return std::string("RecentFilePath") + digits;
}

void RecentFiles::Load(const Profile& profile) {
  for (std::size_t n = 0; n < Capacity; ++n) {
    std::string path = profile.ReadText(Profile::SettingsSection, ValueName(n), "");
    // A hand-edited profile may name one file twice; listing it once keeps the list a set.
    if (!path.empty() && std::find(entries_.begin(), entries_.end(), path) == entries_.end()) {
      entries_.push_back(std::move(path));
    }
  }
}

void RecentFiles::Store(Profile& profile) const {
  for (std::size_t n = 0; n < entries_.size(); ++n) {
    profile.WriteText(Profile::SettingsSection, ValueName(n), entries_[n]);
  }
}

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  if (!Remove(path) && entries_.size() >= Capacity) entries_.pop_back();
  entries_.push_front(path);
}

bool RecentFiles::Remove(const std::string& path) {
  const auto found = std::find(entries_.begin(), entries_.end(), path);
  if (found == entries_.end()) return false;
  entries_.erase(found);
  return true;
}
