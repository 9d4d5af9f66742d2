#pragma once

#include <string>
#include <string_view>

// The program's version, the same number as the layout files it writes.
inline constexpr double ProgramVersion = 2.453;
// The list of recent changes that the Recent Changes dialog shows; empty, so it is never shown.
inline constexpr std::string_view ChangeList = "";
// The name of the application, after the document's title in the window's caption.
inline constexpr std::string_view ApplicationTitle = "Montage";

// "Version V2.453": the document's title.
std::string VersionTitle();
