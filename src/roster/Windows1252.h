#pragma once

#include <string>
#include <string_view>

// The text of a file written in Windows-1252, the code page of Windows in Western Europe and the
// Americas that older camera-room software still writes, as UTF-8. Every byte becomes one
// character. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90 and 0x9D)
// become U+FFFD, the replacement character: no real name holds one, so a visible mark on the
// proof points at the damaged row, where the invisible C1 controls that Windows maps them to
// would slip into captions and file names unseen.
std::string Windows1252ToUtf8(std::string_view text);
