#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandLine.h"

// The words after a subcommand's name, sorted into plain words and options. Options may come
// anywhere among the words; "--" ends them, and a lone "-" is a plain word. Sorting stops at
// --help (or -h) and at the first word that is not understood, whichever comes first.
class CommandArguments {
 public:
  // Takes a caller's own option at args[index] (the preview options): returns the number of
  // words taken, or 0 when the word is not one of its options or its value is refused, with the
  // reason in error.
  using OptionTaker =
      std::function<std::size_t(const SubcommandArgs& args, std::size_t index, std::string& error)>;

  // valueOptions take the next word as their value; the last of a repeated one counts, though
  // all are kept. flagOptions take no value.
  CommandArguments(const SubcommandArgs& args, const std::vector<std::string_view>& valueOptions,
                   const OptionTaker& taker = nullptr,
                   const std::vector<std::string_view>& flagOptions = {});

  bool HelpAsked() const { return helpAsked_; }
  // Why the words were not understood; empty when they were.
  const std::string& Error() const { return error_; }
  // The option that nobody knows, when that was why; empty otherwise.
  const std::string& UnknownOption() const { return unknownOption_; }

  const std::vector<std::string>& Words() const { return words_; }
  // The value given to one of the value options, or nothing when it was not given.
  const std::string* Value(const std::string& option) const;
  // Every value given to a value option that may be repeated, in order.
  std::vector<std::string> Values(const std::string& option) const;
  bool Flag(const std::string& option) const { return flags_.contains(option); }

 private:
  std::vector<std::string> words_;
  std::map<std::string, std::vector<std::string>> values_;
  std::set<std::string> flags_;
  bool helpAsked_ = false;
  std::string error_;
  std::string unknownOption_;
};
