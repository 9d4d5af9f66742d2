#pragma once

#include <string>
#include <string_view>

#include "roster/ListContent.h"

// Reads the portrait index of a school's picture day (INDEX.TXT at the top of a folder of
// portraits): one subject a line, fields separated by TABs, in UTF-8 or Windows-1252. A first
// line whose fields include a known label is a header that places the columns by name;
// otherwise the columns stand by position in one of the three forms in use:
//
//   13: Volume Name, Image Folder, Image File Name, Grade, Last Name, First Name, Home Room,
//       Period, Teacher Name, Track, Department, Title, Image Size
//    8: Volume Name, Image Folder, Image File Name, Grade, Last Name, First Name, Teacher Name,
//       Home Room
//    7: Volume Name, Image Folder, Image File Name, Grade, Last Name, First Name,
//       Teacher/Homeroom
//
// The combined Teacher/Homeroom column fills both the Teacher Name and the Home Room, since the
// file does not say which of the two it holds: grouping by either, and matching the teacher by
// room or by name, then work. A picture is folder/Image Folder/Image File Name, backslashes
// read as separators and the path kept under folder; a name that matches no file exactly is
// looked for ignoring case.
ListContent ReadPortraitIndex(std::string_view bytes, const std::string& folder);
