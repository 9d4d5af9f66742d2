#include "layout/LayoutText.h"

#include <gtest/gtest.h>

#include <ostream>
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

// A token of a given length before ",next", read with a limit and what happens past it.
struct LongTokenCase {
  std::size_t length;
  std::size_t limit;
  LongToken mode;
  std::size_t kept;      // the x's stored
  std::streamoff after;  // where the stream stands after the token
};

void PrintTo(const LongTokenCase& c, std::ostream* out) {
  *out << c.length << " characters, limit " << c.limit
       << (c.mode == LongToken::Stop ? ", stopping" : ", reading past");
}

class ReadTokenLimit : public testing::TestWithParam<LongTokenCase> {};

TEST_P(ReadTokenLimit, KeepsAtMostTheLimitOrStopsOnePast) {
  const LongTokenCase& c = GetParam();
  std::istringstream in(std::string(c.length, 'x') + ",next");
  std::string token;
  ReadToken(in, token, c.limit, c.mode);
  EXPECT_EQ(token, std::string(c.kept, 'x'));
  EXPECT_EQ(in.tellg(), c.after);
  // Read past, the next token is read in step whatever the length.
  if (c.mode == LongToken::ReadPast) {
    ReadToken(in, token, c.limit, c.mode);
    EXPECT_EQ(token, "next");
  }
}

constexpr std::size_t kCap = 64 * 1024;
constexpr auto kPast = LongToken::ReadPast;
constexpr auto kStop = LongToken::Stop;

INSTANTIATE_TEST_SUITE_P(
    Limits, ReadTokenLimit,
    testing::Values(LongTokenCase{10, 4, kPast, 4, 11}, LongTokenCase{3, 4, kPast, 3, 4},
                    LongTokenCase{4, 4, kPast, 4, 5}, LongTokenCase{5, 4, kPast, 4, 6},
                    // The default limit, the cap on every token of a layout file.
                    LongTokenCase{kCap - 1, MaxTokenLength, kPast, kCap - 1, kCap},
                    LongTokenCase{kCap, MaxTokenLength, kPast, kCap, kCap + 1},
                    LongTokenCase{kCap + 1, MaxTokenLength, kPast, kCap, kCap + 2},
                    // Stopping leaves the stream one character past the limit, before the comma
                    // of a token that is longer still.
                    LongTokenCase{10, 4, kStop, 5, 5}, LongTokenCase{4, 4, kStop, 4, 5},
                    LongTokenCase{5, 4, kStop, 5, 5}, LongTokenCase{6, 4, kStop, 5, 5}));

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
  // The 32-bit limits themselves and one past them.
  EXPECT_EQ(ParseUnsigned("4294967295"), 4294967295u);
  EXPECT_EQ(ParseUnsigned("4294967296"), 4294967295u);
  EXPECT_EQ(ParseUnsigned("-4294967295"), 1u);
  EXPECT_EQ(ParseUnsigned("-4294967296"), 4294967295u);
  EXPECT_EQ(ParseSigned("2147483647"), 2147483647);
  EXPECT_EQ(ParseSigned("2147483648"), 2147483647);
  EXPECT_EQ(ParseSigned("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseSigned("-2147483649"), -2147483647 - 1);
  EXPECT_EQ(ParseSigned("(2147483648)"), -2147483647);
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
