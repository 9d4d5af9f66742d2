// Feeds arbitrary bytes to the layout's tagged field stream reader. Reading either ends with a
// kind or fails with DispatchReadError; the fields read must survive writing and reading back.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "layout/Montage.h"

namespace {

std::string Text(const Montage& layout) {
  std::ostringstream out;
  layout.WriteText(out);
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
  Montage layout;
  try {
    layout.ReadFields(stream);
  } catch (const DatabaseRecord::DispatchReadError&) {
  }
  std::ostringstream fields;
  fields.put(2);
  layout.WriteFields(false, fields, true);
  std::istringstream again(fields.str());
  Montage reread;
  reread.ReadFields(again);
  // The fonts are separate records; compare them by giving both layouts the same ones.
  reread.NameFont = layout.NameFont;
  reread.MainNameFont = layout.MainNameFont;
  reread.CaptionFonts = layout.CaptionFonts;
  if (Text(reread) != Text(layout)) std::abort();
  return 0;
}
