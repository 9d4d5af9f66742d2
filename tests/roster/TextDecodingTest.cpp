// The text beneath the lists: Windows-1252 decoded to UTF-8, binary data told from text, and
// the case-blind, natural comparisons that group and sort a school.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "roster/CaseFold.h"
#include "roster/TextDecoding.h"
#include "roster/Utf8.h"
#include "roster/Windows1252.h"

namespace {

using namespace std::string_literals;

TEST(Windows1252, EveryByteIsOneCharacter) {
  for (int byte = 1; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    const std::string decoded = Windows1252ToUtf8(std::string(1, static_cast<char>(byte)));
    EXPECT_EQ(FirstInvalidUtf8(decoded), std::string::npos);
    EXPECT_EQ(Utf8CharacterLength(decoded, 0), decoded.size());
  }
}

TEST(Windows1252, DecodesTheCodePagesOwnCharacters) {
  const struct {
    unsigned char byte;
    std::string utf8;
  } cases[] = {
      {'A', "A"},
      {0x80, "€"},
      {0x8A, "Š"},
      {0x91, "‘"},
      {0x92, "’"},
      {0x96, "–"},
      {0x9F, "Ÿ"},
      {0xA0, "\xC2\xA0"},
      {0xC9, "É"},
      {0xDF, "ß"},
      {0xFC, "ü"},
      {0xFF, "ÿ"},
      // The five bytes the code page leaves undefined.
      {0x81, "\xEF\xBF\xBD"},
      {0x8D, "\xEF\xBF\xBD"},
      {0x8F, "\xEF\xBF\xBD"},
      {0x90, "\xEF\xBF\xBD"},
      {0x9D, "\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Windows1252ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8)
        << static_cast<int>(c.byte);
  }
}

TEST(ListTextDecoding, TellsUtf8Windows1252AndBinaryData) {
  const struct {
    const char* what;
    std::string bytes;
    std::string text;
    bool windows1252;
    std::string refusal;
    std::size_t at;
  } cases[] = {
      {"ASCII", "Lee\tAnn\r\n", "Lee\tAnn\r\n", false, "", 0},
      {"UTF-8 with a mark", "\xEF\xBB\xBFZoë", "Zoë", false, "", 0},
      {"Windows-1252", "Zo\xEB", "Zoë", true, "", 0},
      {"a final Ctrl-Z", "Lee\n\x1A", "Lee\n", false, "", 0},
      {"a Ctrl-Z inside", "Lee\x1A\n", "", false, "control character", 3},
      {"a zero byte", "Lee\nAn\0n\n"s, "", false, "zero byte", 6},
      {"a form feed", "\x0C", "", false, "control character", 0},
      {"a delete", "Lee\x7F", "", false, "control character", 3},
      {"a mark before text that is not UTF-8", "\xEF\xBB\xBFZo\xEB", "", false, "starts as UTF-8",
       5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const DecodedText decoded = DecodeListText(c.bytes);
    EXPECT_EQ(decoded.Text, c.text);
    EXPECT_EQ(decoded.Windows1252, c.windows1252);
    EXPECT_NE(decoded.Refusal.find(c.refusal), std::string::npos) << decoded.Refusal;
    EXPECT_EQ(decoded.Refusal.empty(), c.refusal.empty());
    EXPECT_EQ(decoded.RefusedAt, c.at);
  }
}

TEST(CaseBlindText, FoldsTheLettersOfASchoolsNames) {
  const struct {
    std::string a;
    std::string b;
    bool same;
  } cases[] = {
      {"Mrs. OKAFOR", "mrs. okafor", true},
      {"ÉLODIE", "élodie", true},
      {"ŁUKASZ", "łukasz", true},
      {"ŸVES", "ÿves", true},
      {"ΔΗΜΗΤΡΑ", "δημητρα", true},
      {"ЮЛИЯ Ёлкина", "юлия ёлкина", true},
      {"×", "÷", false},
      {"Room\xFF", "room\xFF", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CaseFolded(c.a) == CaseFolded(c.b), c.same) << c.a << " / " << c.b;
  }
  EXPECT_EQ(ComparisonKey("  Mrs. Okafor\t"), "mrs. okafor");
  EXPECT_TRUE(SameIgnoringCaseAndSpaces("Home Room", "homeroom"));
  EXPECT_FALSE(SameIgnoringCaseAndSpaces("Home-Room", "homeroom"));
}

TEST(CaseBlindText, FindsAWholeWord) {
  const struct {
    std::string text;
    std::string word;
    bool holds;
  } cases[] = {
      {"Mrs. Okafor", "okafor", true},
      {"Okafor-Lee, Room 4", "Lee", true},
      {"Mrs. Okafors", "Okafor", false},
      {"Mr. Van Dyke", "Van Dyke", true},
      {"Mrs. Müller", "M", false},
      {"Mr. Ng", " ng ", true},
      {"Mr. Ng", "", false},
      {"Room 12", "1", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HoldsWord(c.text, c.word), c.holds) << c.text << " / " << c.word;
  }
}

TEST(CaseBlindText, SortsInNaturalOrder) {
  std::vector<std::string> names = {"Room 10", "room 2", "Room 2b", "Room 02", "Annex",
                                    "10",      "9",      "Room",    "ROOM 1"};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
  EXPECT_EQ(names, (std::vector<std::string>{"9", "10", "Annex", "Room", "ROOM 1", "Room 02",
                                             "room 2", "Room 2b", "Room 10"}));
}

}  // namespace
