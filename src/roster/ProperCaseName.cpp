#include "roster/ProperCaseName.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 14> SmallWords{
    "of", "to", "the", "in", "on", "and", "for", "with", "a", "an", "by", "from", "C.E", "C.E."};

// Character classes of the C locale, so that bytes outside ASCII are never letters.
bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsLower(unsigned char c) { return c >= 'a' && c <= 'z'; }
bool IsUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
char ToUpper(unsigned char c) { return static_cast<char>(IsLower(c) ? c - 'a' + 'A' : c); }
char ToLower(unsigned char c) { return static_cast<char>(IsUpper(c) ? c - 'A' + 'a' : c); }

bool IsSmallWord(std::string_view word) {
  for (std::string_view small : SmallWords) {
    if (word == small) return true;
  }
  return false;
}

// The marks kept for the word being worked through.
struct WordState {
  bool capitaliseNext = true;
  bool afterDigit = false;
  bool caseChanged = false;
  bool lowered = false;
  bool lowercaseSeen = false;
  bool uppercaseSeen = false;
};

// A capital that starts a run of capitals stays when the run is a word in capitals, and is
// lowered when lowercase letters follow the run (as in "BRown").
bool RunOfCapitalsEndsWord(const std::string& text, std::size_t start) {
  std::size_t end = start;
  while (end < text.size() && IsUpper(static_cast<unsigned char>(text[end]))) ++end;
  return end == text.size() || !IsLower(static_cast<unsigned char>(text[end]));
}

void Lower(char& c, WordState& word) {
  c = ToLower(static_cast<unsigned char>(c));
  word.caseChanged = true;
  word.lowered = true;
}

}  // namespace

std::string& ProperCaseName(std::string& text) {
  WordState word;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsSpace(c) || c == '-') {
      word = WordState{};
      if (i + 1 < text.size()) {
        const std::size_t space = text.find(' ', i + 1);
        const std::size_t end = space == std::string::npos ? text.size() : space;
        if (IsSmallWord(std::string_view(text).substr(i + 1, end - i - 1))) {
          if (space == std::string::npos) return text;
          i = space;  // the next word starts after the small word, without being compared
        }
      }
    } else if (c == '\'') {
      if (i + 2 < text.size() && !IsSpace(static_cast<unsigned char>(text[i + 2]))) {
        word = WordState{};
      }
    } else if (IsDigit(c)) {
      word.afterDigit = true;
      word.capitaliseNext = false;
    } else if (word.afterDigit) {
      word.afterDigit = false;
      if (IsLower(c)) word.lowered = word.lowercaseSeen = true;
    } else if (word.capitaliseNext) {
      if (IsLower(c)) word.caseChanged = true;
      text[i] = ToUpper(c);
      word.capitaliseNext = false;
    } else if (IsLower(c)) {
      word.lowered = word.lowercaseSeen = true;
    } else if (IsUpper(c)) {
      word.uppercaseSeen = true;
      if (word.lowercaseSeen) continue;
      if (word.caseChanged || word.lowered || !RunOfCapitalsEndsWord(text, i)) {
        Lower(text[i], word);
      }
    } else if (!(word.uppercaseSeen && word.lowercaseSeen)) {
      word.lowered = true;
    }
  }
  return text;
}
