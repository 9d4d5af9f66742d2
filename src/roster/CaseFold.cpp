#include "roster/CaseFold.h"

#include <cstdint>

#include "roster/CsvReader.h"
#include "roster/Utf8.h"

namespace {

char32_t Decode(std::string_view text, std::size_t at, std::size_t length) {
  const auto c = static_cast<unsigned char>(text[at]);
  if (length == 1) return c;
  std::uint32_t code = c & (0xFF >> (length + 1));
  for (std::size_t k = 1; k < length; ++k) {
    code = (code << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
  }
  return code;
}

char32_t Folded(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c < 0xC0) return c;
  // Latin-1's capitals, but for the multiplication sign among them.
  if (c <= 0xDE) return c == 0xD7 ? c : c + 32;
  // Latin Extended-A pairs each capital with the small letter after it, in two runs whose
  // capitals sit on even and on odd code points; Ÿ alone has its small letter in Latin-1, and
  // the Turkish dotted capital I has none there.
  if (c == 0x130) return c;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c % 2 == 0 ? c + 1 : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c % 2 == 1 ? c + 1 : c;
  if (c == 0x178) return 0xFF;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The run of digits or of other characters that starts at the cursor, which moves past it.
std::string_view Run(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  const bool digits = IsDigit(text[at]);
  while (at < text.size() && IsDigit(text[at]) == digits) ++at;
  return text.substr(start, at - start);
}

// Compares two runs of digits by value: without their leading zeros the longer is larger.
int CompareNumbers(std::string_view a, std::string_view b) {
  while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
  while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

}  // namespace

std::string CaseFolded(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8CharacterLength(text, i);
    if (length == 0) {
      folded.push_back(text[i++]);
      continue;
    }
    AppendUtf8(folded, Folded(Decode(text, i, length)));
    i += length;
  }
  return folded;
}

std::string ComparisonKey(std::string_view text) { return CaseFolded(TrimmedField(text)); }

bool HoldsWord(std::string_view text, std::string_view word) {
  const std::string folded = CaseFolded(text);
  const std::string wanted = CaseFolded(TrimmedField(word));
  if (wanted.empty()) return false;
  const auto isLetter = [](unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80;
  };
  for (std::size_t at = folded.find(wanted); at != std::string::npos;
       at = folded.find(wanted, at + 1)) {
    const std::size_t end = at + wanted.size();
    const bool before = at > 0 && isLetter(static_cast<unsigned char>(folded[at - 1]));
    const bool after = end < folded.size() && isLetter(static_cast<unsigned char>(folded[end]));
    if (!before && !after) return true;
  }
  return false;
}

bool SameIgnoringCaseAndSpaces(std::string_view a, std::string_view b) {
  const auto squeezed = [](std::string_view text) {
    std::string kept;
    for (const char c : text) {
      if (c != ' ' && c != '\t') kept += c;
    }
    return CaseFolded(kept);
  };
  return squeezed(a) == squeezed(b);
}

bool NaturalLess(std::string_view a, std::string_view b) {
  const std::string foldedA = CaseFolded(a);
  const std::string foldedB = CaseFolded(b);
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < foldedA.size() && j < foldedB.size()) {
    const bool digits = IsDigit(foldedA[i]);
    if (digits != IsDigit(foldedB[j])) return digits;
    const std::string_view runA = Run(foldedA, i);
    const std::string_view runB = Run(foldedB, j);
    const int order = digits ? CompareNumbers(runA, runB) : runA.compare(runB);
    if (order != 0) return order < 0;
  }
  if ((i < foldedA.size()) != (j < foldedB.size())) return j < foldedB.size();
  return a < b;
}
