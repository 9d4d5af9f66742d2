#include "layout/LayoutText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Every token of a text, in order, with whether each ended a line.
std::vector<std::pair<std::string, bool>> Tokens(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::pair<std::string, bool>> tokens;
  while (in.good()) {
    std::string token = "unchanged";
    const bool endedLine = ReadToken(in, token);
    tokens.emplace_back(token, endedLine);
  }
  return tokens;
}

using TokenList = std::vector<std::pair<std::string, bool>>;

TEST(ReadTokenTest, SplitsAtCommasAndEveryKindOfLineEnd) {
  EXPECT_EQ(Tokens("a,b\nc,d\r\ne,f\r\r\ng,h\ri"), (TokenList{{"a", false},
                                                              {"b", true},
                                                              {"c", false},
                                                              {"d", true},
                                                              {"e", false},
                                                              {"f", true},
                                                              {"g", false},
                                                              {"h", true},
                                                              {"i", true}}));
}

TEST(ReadTokenTest, SkipsLeadingBlanksAndLeavesTheTextAtTheEnd) {
  EXPECT_EQ(Tokens(" \t a b ,\t"), (TokenList{{"a b ", false}, {"unchanged", true}}));
}

TEST(ReadTokenTest, QuotesKeepCommasAndLineFeedsAndDoubledQuotesStandForOne) {
  EXPECT_EQ(Tokens("\"A,B\",x"), (TokenList{{"A,B", false}, {"x", true}}));
  EXPECT_EQ(Tokens("\"say \"\"hi\"\"\""), (TokenList{{"say \"hi\"", true}}));
  EXPECT_EQ(Tokens("\"a\nb\",c"), (TokenList{{"a\nb", false}, {"c", true}}));
  // Inside quotes a carriage return is kept and the line feed after it dropped.
  EXPECT_EQ(Tokens("\"a\r\nb\""), (TokenList{{"a\rb", true}}));
  EXPECT_EQ(Tokens("ab\"c,d\"e,f"), (TokenList{{"abc,de", false}, {"f", true}}));
}

TEST(ReadTokenTest, CedillaBytesStandForAComma) {
  EXPECT_EQ(Tokens("a\xC2\xB8"
                   "b,c\xC2"),
            (TokenList{{"a,b", false}, {"c\xC2", true}}));
}

TEST(ReadTokenTest, KeepsNulAndHighBytes) {
  const std::string text("a\0\xFF\xFE,b", 6);
  EXPECT_EQ(Tokens(text), (TokenList{{std::string("a\0\xFF\xFE", 4), false}, {"b", true}}));
}

TEST(ReadTokenTest, LongTokensAreCutOrStopped) {
  std::istringstream past(std::string(10, 'x') + ",next");
  std::string token;
  ReadToken(past, token, 4);
  EXPECT_EQ(token, "xxxx");
  ReadToken(past, token, 4);
  EXPECT_EQ(token, "next");

  std::istringstream stop(std::string(10, 'x') + ",next");
  ReadToken(stop, token, 4, LongToken::Stop);
  EXPECT_EQ(token, "xxxxx");
  EXPECT_EQ(stop.tellg(), 5);
}

TEST(ParseNumberTest, EmptyIsZeroAndParenthesesNegate) {
  EXPECT_EQ(ParseUnsigned(""), 0u);
  EXPECT_EQ(ParseSigned(""), 0);
  EXPECT_EQ(ParseSigned("(5)"), -5);
  EXPECT_EQ(ParseUnsigned("(5)"), 4294967291u);
  EXPECT_EQ(ParseSigned("(5"), 5);
  EXPECT_EQ(ParseSigned("(12)34"), -12);
  EXPECT_EQ(ParseDouble("(2.5)"), -2.5);
}

TEST(ParseNumberTest, ReadsTheNumberAtTheStartOfTheToken) {
  EXPECT_EQ(ParseUnsigned("42abc"), 42u);
  EXPECT_EQ(ParseSigned(" -17 "), -17);
  EXPECT_EQ(ParseUnsigned("4294967291"), 4294967291u);
  EXPECT_EQ(ParseUnsigned("-1"), 4294967295u);
  EXPECT_EQ(ParseDouble("2.4531"), 2.4531);
  EXPECT_EQ(ParseDouble("1.5e1x"), 15.0);
  EXPECT_EQ(ParseDouble(".5"), 0.5);
}

TEST(ParseNumberTest, OutOfRangeNumbersSaturate) {
  EXPECT_EQ(ParseUnsigned("99999999999999999999999"), 4294967295u);
  EXPECT_EQ(ParseSigned("3000000000"), 2147483647);
  EXPECT_EQ(ParseSigned("-3000000000"), -2147483647 - 1);
  EXPECT_EQ(ParseDouble("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseDouble("1e-999"), 0.0);
}

TEST(ParseNumberTest, ATokenThatDoesNotBeginWithANumberGivesNothing) {
  for (const char* token : {"abc", "-", "+x", "()", "(x)", ".", "e5", "nan", "inf", "-(5)"}) {
    EXPECT_FALSE(ParseUnsigned(token).has_value()) << token;
    EXPECT_FALSE(ParseSigned(token).has_value()) << token;
    EXPECT_FALSE(ParseDouble(token).has_value()) << token;
  }
}

TEST(FormatVersionTest, WritesAtMostSixSignificantDigits) {
  EXPECT_EQ(FormatVersion(2.453), "2.453");
  EXPECT_EQ(FormatVersion(2.4531), "2.4531");
  EXPECT_EQ(FormatVersion(1.23456789), "1.23457");
  EXPECT_EQ(FormatVersion(3), "3");
}

TEST(QuoteTextTest, QuotesOnlyValuesThatReadingWouldChange) {
  EXPECT_EQ(QuoteText("Arial"), "Arial");
  EXPECT_EQ(QuoteText("Arial Narrow "), "Arial Narrow ");
  EXPECT_EQ(QuoteText(""), "");
  EXPECT_EQ(QuoteText("A,B"), "\"A,B\"");
  EXPECT_EQ(QuoteText("\"Q\""), "\"\"\"Q\"\"\"");
  EXPECT_EQ(QuoteText("a\nb"), "\"a\nb\"");
  EXPECT_EQ(QuoteText("a\rb"), "\"a\rb\"");
  EXPECT_EQ(QuoteText(" lead"), "\" lead\"");
  EXPECT_EQ(QuoteText("in\"ner"), "\"in\"\"ner\"");
}

}  // namespace
