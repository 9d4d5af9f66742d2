#include "cli/CommandLine.h"

#include <array>
#include <ostream>
#include <string_view>

#include "platform/ModalQuestions.h"

namespace {

struct Subcommand {
  std::string_view name;
  int (*run)(const SubcommandArgs&, std::ostream&, std::ostream&);
};

constexpr std::array subcommands{
    Subcommand{"layout", RunLayoutCommand},
    Subcommand{"grid", RunGridCommand},
    Subcommand{"render", RunRenderCommand},
    Subcommand{"image", RunImageCommand},
};

// Routes the modal questions of a headless run to its error stream for the run's duration.
class ScopedStreamQuestions {
 public:
  explicit ScopedStreamQuestions(std::ostream& err) : questions_(err) {
    ModalQuestions::Install(&questions_);
  }
  ~ScopedStreamQuestions() { ModalQuestions::Install(nullptr); }
  ScopedStreamQuestions(const ScopedStreamQuestions&) = delete;
  ScopedStreamQuestions& operator=(const ScopedStreamQuestions&) = delete;

 private:
  StreamQuestions questions_;
};

}  // namespace

std::optional<int> RunSubcommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return std::nullopt;
  for (const Subcommand& subcommand : subcommands) {
    if (args[0] == subcommand.name) {
      ScopedStreamQuestions questions(err);
      return subcommand.run(SubcommandArgs(args.begin() + 1, args.end()), out, err);
    }
  }
  return std::nullopt;
}
