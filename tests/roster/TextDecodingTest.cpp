// The text beneath the lists: Windows-1252 decoded to UTF-8, and the case-blind comparison that
// groups a school and finds its pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/CaseFold.h"
#include "roster/Utf8.h"
#include "roster/Windows1252.h"

namespace {

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

}  // namespace
