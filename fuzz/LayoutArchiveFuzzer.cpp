// Feeds arbitrary bytes to the layout's archive reader under every version rule. A failed read
// must leave the layout as it was; a layout read must survive writing and reading back.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "layout/LayoutVersion.h"
#include "layout/Montage.h"
#include "records/Archive.h"
#include "records/ArchiveException.h"

namespace {

std::string Text(const Montage& layout) {
  std::ostringstream out;
  layout.WriteText(out);
  return out.str();
}

// One version from each range that the archive reader tells apart.
constexpr std::array<double, 6> kVersions{0, 0.085, 0.095, 1.5, 2.0, 2.453};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  NoteLayoutVersionRead(kVersions[data[0] % kVersions.size()]);
  Archive archive(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  Montage layout;
  const std::string before = Text(layout);
  try {
    layout.ReadArchive(archive);
  } catch (const ArchiveException&) {
    if (Text(layout) != before) std::abort();
    return 0;
  }
  Archive stored;
  layout.WriteArchive(stored);
  NoteLayoutVersionRead(LayoutFileVersion);
  Archive loading(stored.Bytes());
  Montage reread;
  reread.ReadArchive(loading);
  if (Text(reread) != Text(layout) || reread.RecordId != layout.RecordId ||
      loading.Remaining() != 0) {
    std::abort();
  }
  return 0;
}
