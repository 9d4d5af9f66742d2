#pragma once

#include <string>

class Profile;

// Starts the separate updater program, "Updater" in the installation folder, with the single
// argument "-quiet" and the installation folder as its working folder, unless the profile's
// "Updater" is 0. The program is never waited for and a failure is never reported: the updater
// is optional. Returns whether it was started, for tests.
bool StartUpdater(const Profile& profile, const std::string& installFolder);
