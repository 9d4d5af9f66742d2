#include "cli/CommandArguments.h"

#include <algorithm>

CommandArguments::CommandArguments(const SubcommandArgs& args,
                                   const std::vector<std::string_view>& valueOptions,
                                   const OptionTaker& taker,
                                   const std::vector<std::string_view>& flagOptions) {
  for (std::size_t i = 0; i < args.size();) {
    const std::string& word = args[i];
    if (word == "--") {
      words_.insert(words_.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      return;
    }
    if (word == "--help" || word == "-h") {
      helpAsked_ = true;
      return;
    }
    if (std::find(valueOptions.begin(), valueOptions.end(), word) != valueOptions.end()) {
      if (i + 1 >= args.size()) {
        error_ = "option " + word + " needs a value";
        return;
      }
      values_[word].push_back(args[i + 1]);
      i += 2;
      continue;
    }
    if (std::find(flagOptions.begin(), flagOptions.end(), word) != flagOptions.end()) {
      flags_.insert(word);
      ++i;
      continue;
    }
    if (taker) {
      if (const std::size_t taken = taker(args, i, error_)) {
        i += taken;
        continue;
      }
      if (!error_.empty()) return;
    }
    // A lone "-" is a plain word (a file name), as is every word after "--".
    if (word.size() > 1 && word[0] == '-') {
      unknownOption_ = word;
      error_ = "unknown option " + word;
      return;
    }
    words_.push_back(word);
    ++i;
  }
}

const std::string* CommandArguments::Value(const std::string& option) const {
  const auto found = values_.find(option);
  return found == values_.end() ? nullptr : &found->second.back();
}

std::vector<std::string> CommandArguments::Values(const std::string& option) const {
  const auto found = values_.find(option);
  return found == values_.end() ? std::vector<std::string>{} : found->second;
}
