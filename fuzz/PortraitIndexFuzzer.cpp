// Feeds arbitrary bytes to the portrait index reader as the contents of INDEX.TXT, then uses what
// it read as the batch does: the school grouped every way, each group made into the list the
// drawing takes, and the group's name filled into a file name and a caption.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "roster/ClassList.h"
#include "roster/FieldTemplate.h"
#include "roster/SafeFileName.h"
#include "roster/SchoolGroups.h"
#include "roster/UniqueFileNames.h"

namespace {

void CheckGroup(const Group& group, UniqueFileNames& names, const FieldTemplate& caption) {
  const ClassList list = ForGroup(group);
  if (list.Members().size() != group.ImageCount()) __builtin_trap();
  if (list.MainIndex() >= list.Members().size() || !list.Members()[list.MainIndex()].Main) {
    __builtin_trap();
  }
  const std::string name = names.Next(caption.Fill(group));
  if (name.empty() || name.size() > kMaxFileNameBytes ||
      name.find_first_of("/\\") != std::string::npos) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The file reader refuses larger files before parsing; the parser is fed no more either.
  if (size > ClassList::MaxFileBytes) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The first line stands for a template typed by a user, which is refused or filled, never more.
  const FieldTemplate typed = FieldTemplate::Parse(text.substr(0, text.find('\n')));
  if (typed.Ok() != typed.Error().empty()) __builtin_trap();

  const ClassList list = ClassList::Parse(text, "/school", "INDEX.TXT");
  if (!list.Ok()) {
    if (list.Error().empty() || !list.Members().empty()) __builtin_trap();
    return 0;
  }
  const FieldTemplate caption = FieldTemplate::Parse("{Group} {Teacher} {Count}");
  for (const GroupBy by : {GroupBy::Teacher, GroupBy::HomeRoom, GroupBy::Grade, GroupBy::None}) {
    const SchoolGroups school = SchoolGroups::Make(list, by);
    if (!school.Ok()) continue;
    UniqueFileNames names(".jpg");
    for (const Group& group : school.Groups()) CheckGroup(group, names, caption);
  }
  return 0;
}
