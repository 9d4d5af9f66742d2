#include "roster/SafeFileName.h"

#include <algorithm>

#include "roster/CaseFold.h"
#include "roster/Utf8.h"

namespace {

bool IsRefused(std::string_view character) {
  if (character.size() == 1) {
    const auto c = static_cast<unsigned char>(character[0]);
    return c < 0x20 || c == 0x7F ||
           std::string_view("/\\<>:\"|?*").find(c) != std::string_view::npos;
  }
  // The C1 controls, U+0080 to U+009F.
  return character.size() == 2 && character[0] == '\xC2' &&
         static_cast<unsigned char>(character[1]) < 0xA0;
}

// The length of the device name a stem starts with when Windows reserves the stem for it (the
// name alone, or before spaces and an extension), 0 otherwise.
std::size_t ReservedDeviceLength(std::string_view stem) {
  std::string_view base = stem.substr(0, stem.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  const std::string folded = CaseFolded(base);
  for (const std::string_view name : {"con", "prn", "aux", "nul"}) {
    if (folded == name) return base.size();
  }
  const bool numbered = folded.size() == 4 &&
                        (folded.starts_with("com") || folded.starts_with("lpt")) &&
                        folded[3] >= '1' && folded[3] <= '9';
  return numbered ? base.size() : 0;
}

void TrimEnd(std::string& stem) {
  while (!stem.empty() && (stem.back() == '.' || stem.back() == ' ')) stem.pop_back();
}

}  // namespace

std::string SafeFileName(std::string_view stem, std::string_view extension,
                         std::string_view suffix) {
  std::string safe;
  for (std::size_t i = 0; i < stem.size();) {
    const std::size_t length = Utf8CharacterLength(stem, i);
    const std::string_view character = stem.substr(i, length == 0 ? 1 : length);
    safe += length == 0 || IsRefused(character) ? std::string_view("_") : character;
    i += character.size();
  }
  safe.erase(0, safe.find_first_not_of(' '));
  TrimEnd(safe);
  if (safe.empty()) safe = "Unnamed";
  if (safe.front() == '.') safe.front() = '_';
  if (const std::size_t device = ReservedDeviceLength(safe)) safe.insert(device, "_");

  const std::size_t room =
      kMaxFileNameBytes - std::min(kMaxFileNameBytes - 1, suffix.size() + extension.size());
  if (safe.size() > room) {
    std::size_t cut = room;
    // Back to the first byte of the character the bound falls in.
    while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80) --cut;
    safe.resize(cut);
    TrimEnd(safe);
    if (safe.empty()) safe = "_";
  }
  return safe + std::string(suffix) + std::string(extension);
}
