// Feeds arbitrary bytes to the class list reader as the contents of a list, then uses what it
// read as the composite does: every member's names and picture path, and the main subject.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "roster/ClassList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The file reader refuses larger files before parsing; the parser is fed no more either.
  if (size > ClassList::MaxFileBytes) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ClassList list = ClassList::Parse(text, "/class", "fuzz.csv");
  if (!list.Ok()) {
    if (list.Error().empty() || !list.Members().empty()) __builtin_trap();
    return 0;
  }
  std::size_t length = 0;
  for (const ClassMember& member : list.Members()) {
    length += member.FirstName.size() + member.LastName.size() + member.Picture.size();
    if (member.FirstName.size() > ClassList::MaxFieldBytes) __builtin_trap();
  }
  if (!list.Members().empty() && list.MainIndex() >= list.Members().size()) __builtin_trap();
  volatile std::size_t kept = length;
  (void)kept;
  return 0;
}
