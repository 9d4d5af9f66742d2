#include "roster/ProperCaseName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProperCaseName, GivesEachWordTheCapitalsAPrintedNameHas) {
  const struct {
    std::string name;
    std::string printed;
  } cases[] = {
      // Each word starts with a capital; words in capitals and mixed-case names keep theirs.
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
      // An apostrophe starts a word only before two or more letters.
      {"o'neill", "O'Neill"},
      {"d'arcy", "D'Arcy"},
      {"jack's house", "Jack's House"},
      {"d'", "D'"},
      // Small words stay as written; the word after one is not compared with them, and one at
      // the end stops the work there.
      {"house of commons", "House of Commons"},
      {"house of the lords", "House of The Lords"},
      {"baker of", "Baker of"},
      {"smith OF jones", "Smith OF Jones"},
      // Bytes outside ASCII are left alone: é in UTF-8, and bytes that are no UTF-8 at all.
      {"\xC3\xA9lodie", "\xC3\xA9lodie"},
      {"\xFF\xFE-abc", "\xFF\xFE-Abc"},
  };
  for (const auto& c : cases) {
    std::string name = c.name;
    EXPECT_EQ(ProperCaseName(name), c.printed) << c.name;
    EXPECT_EQ(name, c.printed) << "changed in place: " << c.name;
  }
}

}  // namespace
