#pragma once

#include <cstdint>

class Profile;

// The number written to the profile's "Version" at every start: the program version times
// 100000, truncated. For 2.453 the product falls just below 245300, so 245299 is stored.
std::uint32_t VersionNumberToStore();

// Whether the running program is newer than the one whose version number the profile holds;
// both are rounded to four decimal places first, so 245299 and 245300 both read as 2.453.
bool IsNewerThanStored(std::uint32_t storedNumber);

// The check made at start-up: shows the Recent Changes dialog when there are changes to list and
// the program is newer than the one that last ran; then records this version in the profile.
void CheckVersion(Profile& profile, void (*showChanges)());
