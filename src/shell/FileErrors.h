#pragma once

#include <string>

// The system's text for an error number, or "Reason not known" when it has none.
std::string SystemErrorText(int error);

// Shows prefix, a line feed and the system's reason, then a line feed and suffix when there is
// one, in a message box with an OK button. An empty prefix adds neither itself nor its line
// feed; an empty reason reads "Reason not known".
void ShowFileError(const std::string& prefix, const std::string& reason,
                   const std::string& suffix = {});
