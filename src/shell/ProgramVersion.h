#pragma once

#include <string>
#include <string_view>

#include "layout/LayoutVersion.h"  // ProgramVersion, which the command line shows as well

// The list of recent changes that the Recent Changes dialog shows; empty, so it is never shown.
inline constexpr std::string_view ChangeList = "";
// The name of the application, after the document's title in the window's caption.
inline constexpr std::string_view ApplicationTitle = "Montage";

// "Version V2.453": the document's title.
std::string VersionTitle();
