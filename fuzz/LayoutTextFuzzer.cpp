// Feeds arbitrary bytes to the layout file reader. A refused file must leave the layout as it
// was; an accepted one, written out and read back, must give the same file again.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "layout/Montage.h"
#include "platform/ModalQuestions.h"

namespace {

std::string Text(const Montage& layout) {
  std::ostringstream out;
  layout.WriteText(out);
  return out.str();
}

// The reader cannot give back a value holding CR LF (quoted, the LF after a CR is dropped) or
// the bytes C2 B8 (read as a comma), so those layouts are not expected to survive a round trip.
bool CanSurviveRoundTrip(const std::string& text) {
  return text.find("\r\n") == std::string::npos && text.find("\xC2\xB8") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ScriptedQuestions* questions = [] {
    auto* scripted = new ScriptedQuestions;
    ModalQuestions::Install(scripted);
    return scripted;
  }();
  questions->Forget();

  std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
  Montage layout;
  const std::string before = Text(layout);
  if (!layout.ReadText(stream)) {
    if (Text(layout) != before) std::abort();
    return 0;
  }
  const std::string written = Text(layout);
  if (!CanSurviveRoundTrip(written)) return 0;
  std::istringstream again(written);
  Montage reread;
  if (!reread.ReadText(again) || Text(reread) != written) std::abort();
  return 0;
}
