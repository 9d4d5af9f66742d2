#include "roster/ProperCaseName.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::string Proper(std::string text) { return ProperCaseName(text); }

TEST(ProperCaseName, CapitalisesEachWordAndKeepsWordsInCapitals) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"peter", "Peter"},
      {"BROWN", "BROWN"},
      {"BRown", "Brown"},
      {"mcdonald", "Mcdonald"},
      {"McDONALD", "McDONALD"},
      {"anne-marie", "Anne-Marie"},
      {"3rd", "3rd"},
      {"(peter)", "(peter)"},
      {"mary ann", "Mary Ann"},
      {"PETER smith", "PETER Smith"},
      {"", ""},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(Proper(input), expected) << input;
}

TEST(ProperCaseName, ApostropheStartsAWordOnlyBeforeTwoOrMoreLetters) {
  EXPECT_EQ(Proper("o'neill"), "O'Neill");
  EXPECT_EQ(Proper("d'arcy"), "D'Arcy");
  EXPECT_EQ(Proper("jack's house"), "Jack's House");
  EXPECT_EQ(Proper("d'"), "D'");
}

TEST(ProperCaseName, SmallWordsStayAsWritten) {
  EXPECT_EQ(Proper("house of commons"), "House of Commons");
  // The word after a skipped small word is not compared with the small words.
  EXPECT_EQ(Proper("house of the lords"), "House of The Lords");
  // A small word at the end stops the work there.
  EXPECT_EQ(Proper("baker of"), "Baker of");
  EXPECT_EQ(Proper("smith OF jones"), "Smith OF Jones");
}

TEST(ProperCaseName, BytesOutsideAsciiAreLeftAlone) {
  const std::string name = "\xC3\xA9lodie";  // é in UTF-8, then lowercase letters
  EXPECT_EQ(Proper(name), name);
  const std::string invalid = "\xFF\xFE-abc";
  EXPECT_EQ(Proper(invalid), "\xFF\xFE-Abc");
}

}  // namespace
