#pragma once

#include <string>

// The folder that holds the program's data files (the sample pictures and starter layouts): the
// executable's own folder when the sample portrait lies beside it, as in a build that runs in
// place, otherwise share/montage-designer beside the bin folder of an installation. The result
// ends in a folder separator.
std::string InstallFolderFor(const std::string& executableFolder);

// The installation folder of the running program.
std::string FindInstallFolder();
