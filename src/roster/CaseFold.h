#pragma once

#include <string>
#include <string_view>

// Text compared the way a person reading a list compares it: capitals and small letters alike.
// Letters fold in the scripts a school's names are written in: ASCII, the Latin letters of
// Western and Central Europe (Latin-1 and Latin Extended-A), Greek and Cyrillic. Bytes that are
// not UTF-8 stay as they are, so any file name can be compared.
std::string CaseFolded(std::string_view text);

// The key a group or a home room compares by: trimmed of spaces and tabs, and case-folded.
std::string ComparisonKey(std::string_view text);

// Whether the word (trimmed) stands in the text as a whole word, case aside: neither a letter
// nor a digit right before or after it ("Okafor" in "Mrs. Okafor", not in "Okafors").
bool HoldsWord(std::string_view text, std::string_view word);

// Whether the texts are the same but for case and spaces ("Home Room" is "HomeRoom").
bool SameIgnoringCaseAndSpaces(std::string_view a, std::string_view b);

// Whether a goes before b in natural order, as a person sorts: runs of digits by their value
// ("Room 2" before "Room 10"), the rest case-blind; texts that compare equal so fall back to
// their bytes, so the order is total.
bool NaturalLess(std::string_view a, std::string_view b);
