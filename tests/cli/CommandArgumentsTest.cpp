// Sorting the words after a subcommand's name into options and plain words, in the process.
#include "cli/CommandArguments.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

struct Case {
  SubcommandArgs args;
  std::vector<std::string> words;
  std::string output;   // the value of -o, empty when none was given
  std::string outcome;  // "words", "help", "refused" or "unknown OPTION"
};

// A stand-in for the preview options: "--flag" stands alone, "--count" takes a digit.
std::size_t TakeOwnOption(const SubcommandArgs& args, std::size_t index, std::string& error) {
  if (args[index] == "--flag") return 1;
  if (args[index] != "--count") return 0;
  if (index + 1 < args.size() && args[index + 1].size() == 1 &&
      std::isdigit(static_cast<unsigned char>(args[index + 1][0])))
    return 2;
  error = "--count takes a digit";
  return 0;
}

TEST(CommandArgumentsSorting, WordsOptionsHelpAndRefusals) {
  const Case cases[] = {
      {{"a.txt"}, {"a.txt"}, "", "words"},
      {{"-o", "x.png", "a.txt", "b.txt"}, {"a.txt", "b.txt"}, "x.png", "words"},
      {{"-o", "1.png", "-o", "2.png"}, {}, "2.png", "words"},
      {{"-"}, {"-"}, "", "words"},
      {{"--flag", "a.txt", "--count", "7"}, {"a.txt"}, "", "words"},
      // After "--" every word is plain, even one that looks like an option or asks for help.
      {{"a.txt", "--", "-o", "--help", "--bogus"},
       {"a.txt", "-o", "--help", "--bogus"},
       "",
       "words"},
      // A value is never taken for an option, help included.
      {{"-o", "--help"}, {}, "--help", "words"},
      {{"-o", "-h", "a.txt"}, {"a.txt"}, "-h", "words"},
      // Help stops the sorting, so a mistake after it does not hide the usage...
      {{"a.txt", "--help", "--bogus"}, {"a.txt"}, "", "help"},
      {{"-h", "-o"}, {}, "", "help"},
      // ...and a mistake before it is told.
      {{"--bogus", "--help"}, {}, "", "unknown --bogus"},
      {{"-x"}, {}, "", "unknown -x"},
      {{"a.txt", "--Flag"}, {"a.txt"}, "", "unknown --Flag"},
      {{"a.txt", "-o"}, {"a.txt"}, "", "refused"},
      {{"--count", "x"}, {}, "", "refused"},
      {{"--count"}, {}, "", "refused"},
  };
  for (const Case& c : cases) {
    std::string trace;
    for (const std::string& word : c.args) trace += "[" + word + "]";
    SCOPED_TRACE(trace);
    const CommandArguments arguments(c.args, {"-o"}, TakeOwnOption);
    EXPECT_EQ(arguments.Words(), c.words);
    const std::string* output = arguments.Value("-o");
    EXPECT_EQ(output ? *output : "", c.output);
    EXPECT_EQ(arguments.HelpAsked(), c.outcome == "help");
    const bool unknown = c.outcome.rfind("unknown ", 0) == 0;
    EXPECT_EQ(arguments.UnknownOption(), unknown ? c.outcome.substr(8) : "");
    EXPECT_EQ(arguments.Error().empty(), c.outcome == "words" || c.outcome == "help")
        << arguments.Error();
  }
}

TEST(CommandArgumentsSorting, RefusalsSayWhichOptionAndWhy) {
  EXPECT_EQ(CommandArguments({"--bogus"}, {}).Error(), "unknown option --bogus");
  EXPECT_EQ(CommandArguments({"a", "-o"}, {"-o"}).Error(), "option -o needs a value");
  EXPECT_EQ(CommandArguments({"--count", "x"}, {}, TakeOwnOption).Error(), "--count takes a digit");
  // Without a taker of its own options, a caller's option is as unknown as any other.
  EXPECT_EQ(CommandArguments({"--flag"}, {}).UnknownOption(), "--flag");
}

}  // namespace
