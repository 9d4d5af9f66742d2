#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "batch/BatchRequest.h"
#include "batch/BatchRun.h"
#include "cli/BatchProgressLine.h"
#include "cli/CompositeRequest.h"
#include "cli/HeadlessApplication.h"
#include "cli/InterruptFlag.h"
#include "cli/PreviewOptions.h"
#include "cli/Reporter.h"
#include "cli/Subcommand.h"

namespace {

constexpr std::uint32_t kMostJobs = 256;

// The caption lines of a school's composites when none is given: the preview's sample lines
// would be printed on every class, so the disc's name (often the school's) and the group's
// stand there instead, and the other lines stay empty.
constexpr std::array<std::string_view, 4> kSchoolCaptions = {"{Volume}", "{Group}", "", ""};

// The preview options' settings with the school's caption lines in place of those not given.
PreviewSettings SchoolSettings(const CompositeRequest& command) {
  PreviewSettings settings = command.Settings();
  for (std::size_t line = 0; line < kSchoolCaptions.size(); ++line) {
    if (!command.Gave("--caption" + std::to_string(line + 1))) {
      settings.SampleCaptionText[line] = kSchoolCaptions[line];
    }
  }
  return settings;
}
// The width assumed for a terminal that does not tell its own.
constexpr std::size_t kDefaultColumns = 80;

std::size_t TerminalColumns() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return kDefaultColumns;
}

// The batch asked for by the options, or the exit status after the reporter has said why not.
std::optional<int> ReadRequest(const CompositeRequest& command, Reporter& reporter,
                               BatchRequest& request) {
  // The list is the batch's second word, and every group is drawn: the options that choose one
  // class or one group of it would only be overruled.
  for (const char* option : {"--class", "--group"}) {
    if (command.Gave(option)) {
      return BatchSubcommand.Refuse(reporter, std::string(option) +
                                                  " does not apply to batch, which draws every "
                                                  "group of LIST (use --only NAME for some)");
    }
  }
  request.ListPath = command.Word(1);
  const std::string* output = command.Extra("-o");
  if (!output) output = command.Extra("--output");
  if (!output || output->empty()) {
    return BatchSubcommand.Refuse(reporter, "no output folder given (-o FOLDER)");
  }
  request.OutputFolder = *output;
  if (const std::string* format = command.Extra("--format")) {
    if (!OutputFormatFor("." + *format, request.Format)) {
      return reporter.Refuse("--format takes jpg, png or pdf, not \"" + *format + "\"");
    }
  }
  if (const auto status = command.ReadDpi(request.Dpi, reporter)) return status;
  if (const std::string* jobs = command.Extra("--jobs")) {
    std::uint32_t count = 0;
    if (!ParseBoundedNumber(*jobs, 1, kMostJobs, count)) {
      return reporter.Refuse("--jobs takes a whole number from 1 to " + std::to_string(kMostJobs) +
                             ", not \"" + *jobs + "\"");
    }
    request.Jobs = count;
  }
  if (const std::string* proof = command.Extra("--proof")) {
    OutputFormat format;
    if (!OutputFormatFor(*proof, format) || format != OutputFormat::Pdf) {
      return reporter.Refuse("--proof names a PDF file (.pdf), not \"" + *proof + "\"");
    }
    request.ProofPath = *proof;
  }
  if (const std::string* name = command.Extra("--file-name")) request.FileName = *name;
  request.Only = command.Extras("--only");
  request.By = command.By();
  return std::nullopt;
}

int Finish(const BatchResult& result, std::ostream& out, Reporter& reporter) {
  for (const std::string& note : result.Notes) reporter.Say(note);
  if (!result.Summary.empty()) out << result.Summary << '\n';
  const int written = FinishOutput(out, reporter);
  switch (result.Outcome) {
    case BatchResult::Status::Refused:
      return reporter.Refuse(result.Message);
    case BatchResult::Status::Failed:
      return reporter.Fail(result.Message);
    case BatchResult::Status::Cancelled:
      reporter.Say("interrupted; the composites already written are kept");
      return ExitInterrupted;
    case BatchResult::Status::PicturesMissing:
      return written != ExitDone ? written : ExitPicturesMissing;
    case BatchResult::Status::Done:
      break;
  }
  return written;
}

int RunBatchCommand(const SubcommandArgs& args, std::ostream& out, Reporter& reporter) {
  HeadlessApplication application;
  CompositeRequest command;
  if (const auto status = command.Parse(
          args, BatchSubcommand,
          {"-o", "--output", "--format", "--dpi", "--only", "--proof", "--jobs", "--file-name"},
          out, reporter, {"--quiet"}, {"layout file", "class list or portrait index (LIST)"})) {
    return *status;
  }
  BatchRequest request;
  if (const auto status = ReadRequest(command, reporter, request)) return *status;

  const bool quiet = command.Flag("--quiet");
  const bool terminal = ::isatty(STDERR_FILENO) == 1;
  const std::size_t columns = terminal ? TerminalColumns() : 0;
  BatchProgressCallback progress;
  if (!quiet) {
    progress = [&reporter, terminal, columns](const BatchProgress& news) {
      if (terminal) {
        reporter.Progress(ProgressInPlace(news, columns), true);
      } else if (news.What == BatchProgress::Event::Finished) {
        reporter.Progress(ProgressLogLine(news), false);
      }
    };
  }
  const InterruptFlag interrupt;
  const BatchResult result =
      RunBatch(command.Layout(), SchoolSettings(command), request, progress, interrupt.Raised());
  reporter.EndProgress();
  return Finish(result, out, reporter);
}

}  // namespace

const Subcommand BatchSubcommand{
    .Name = "batch",
    .Synopsis = "LAYOUT LIST -o FOLDER [options] [preview options]",
    .Summary = "Makes one composite per group of a school's portrait index or class list LIST.",
    .OptionLines =
        "  -o FOLDER, --output FOLDER   the folder for the composites and report.csv (made\n"
        "                        when missing)\n"
        "  --format jpg|png|pdf  the composites' format (default jpg: quality 95, sRGB)\n"
        "  --dpi N               resolution in pixels per inch, 1 to 10000 (default 300)\n"
        "  --only NAME           make only this group (repeat for more), for retakes\n"
        "  --file-name TEMPLATE  the composites' file names, with the caption fields\n"
        "                        (default {Group}); a second file of a name gets \" (2)\"\n"
        "  --proof FILE.pdf      also write a proof: a page per composite at 100 dpi\n"
        "  --jobs N              composites drawn at once (default: one per core)\n"
        "  --quiet               no progress on standard error (errors are still told)\n"
        "  The caption lines (--caption1 ... --caption4) may hold the fields {Teacher},\n"
        "  {Grade}, {HomeRoom}, {Volume}, {Group} and {Count}, filled for each group;\n"
        "  {{ and }} write braces; without them the lines are {Volume} and {Group}.\n"
        "  --group-by and --missing apply as for render.\n",
    .TakesPreviewOptions = true,
    .Run = RunBatchCommand,
};
