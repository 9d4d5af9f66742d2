#include <QFontDatabase>
#include <QStringList>
#include <cstdint>
#include <ostream>
#include <string>
#include <system_error>
#include <thread>

#include "batch/BatchRequest.h"
#include "cli/CompositeRequest.h"
#include "cli/HeadlessApplication.h"
#include "cli/PreviewOptions.h"
#include "cli/Reporter.h"
#include "cli/Subcommand.h"
#include "images/ImageCache.h"
#include "output/CompositeExport.h"

namespace {

// The font database reads the system's font configuration when text is first measured, which
// takes several milliseconds; a thread of its own reads it while the pictures are decoded. Qt
// guards the database with a lock, so text measured before the thread is done waits for it.
std::jthread ReadFontsAside() {
  try {
    return std::jthread([] { QFontDatabase::families(); });
  } catch (const std::system_error&) {
    return {};  // without a thread to spare the first text reads the fonts itself
  }
}

int RunRenderCommand(const SubcommandArgs& args, std::ostream& out, Reporter& reporter) {
  HeadlessApplication application;
  CompositeRequest request;
  if (const auto status =
          request.Parse(args, RenderSubcommand, {"-o", "--output", "--dpi"}, out, reporter)) {
    return *status;
  }
  const std::string* output = request.Extra("-o");
  if (!output) output = request.Extra("--output");
  if (!output || output->empty()) {
    return RenderSubcommand.Refuse(reporter, "no output file given (-o OUT)");
  }
  OutputFormat format;
  if (!OutputFormatFor(*output, format)) {
    return reporter.Refuse(*output + ": the output's extension must be .png, .jpg, .jpeg or .pdf");
  }
  std::uint32_t dpi = BatchRequest{}.Dpi;
  if (const auto status = request.ReadDpi(dpi, reporter)) return *status;

  const std::jthread fonts = ReadFontsAside();
  ImageCache& cache = ImageCache::Instance();
  // Nobody watches a command wait, so a picture that cannot be decoded fails at once.
  cache.SetRetryPolicy(LoadRetryPolicy::SingleAttempt());
  // One composite asks for each picture once, so a decoded copy to make it again from would only
  // cost the time and memory of copying every picture.
  cache.SetKeepDecodedCopies(false);
  const ExportResult result = ExportComposite(request.Layout(), request.Settings(), cache,
                                              request.Subjects(), {*output, format, dpi});
  switch (result.Outcome) {
    case ExportResult::Status::Written:
      if (!result.Message.empty()) reporter.Say(result.Message);
      return ReportPictureProblems(result.Problems, reporter);
    case ExportResult::Status::TooSmall:
      return reporter.Refuse(result.Message);
    case ExportResult::Status::TooLarge:
      return reporter.Refuse(result.Message + "; choose a lower --dpi");
    case ExportResult::Status::SampleUnreadable:
      reporter.Relay(result.Message);
      return ExitFailed;
    case ExportResult::Status::Failed:
      return reporter.Fail(result.Message);
  }
  return ExitFailed;
}

}  // namespace

const Subcommand RenderSubcommand{
    .Name = "render",
    .Synopsis = "LAYOUT -o OUT [preview options] [--dpi N]",
    .Summary = "Draws the composite of LAYOUT into OUT: PNG, JPEG or PDF by its extension.",
    .OptionLines =
        "  -o OUT, --output OUT  the picture to write: .png, .jpg, .jpeg or .pdf\n"
        "  --dpi N               resolution in pixels per inch, 1 to 10000 (default 300)\n",
    .TakesPreviewOptions = true,
    .Run = RunRenderCommand,
};
