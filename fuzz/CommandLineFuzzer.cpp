// Feeds command lines of the grid and render subcommands, with the bytes of the layout file they
// name, through the option parsing and layout reading those commands use, and plans the
// composite as the grid command does, with the subjects it chooses: the samples, or the class
// of a list named by --class (which can only be the layout file itself or another file of the
// folder, such as the class list it holds). Nothing is drawn, which keeps every run short.
//
// An input is the command line, one word a line beginning with the subcommand ("grid" or
// "render"), then a zero byte and the layout file's bytes. No argument word can hold a zero
// byte, so the first one ends the command line. The layout is written to "layout.txt" in a
// folder of this process's own, which also holds a few files for the options that name a
// picture or a class list, and each run works in that folder. A word holding "/" is refused, so
// that no run reads files elsewhere; a command line that reads from a device or the whole file
// system would make runs neither quick nor repeatable.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/CompositeRequest.h"
#include "cli/HeadlessApplication.h"
#include "cli/PreviewOptions.h"
#include "cli/Reporter.h"
#include "cli/Subcommand.h"
#include "engine/CompositeRenderer.h"
#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"
#include "images/LoadRetryPolicy.h"
#include "output/CompositeOutput.h"
#include "platform/InstallFolder.h"
#include "platform/ModalQuestions.h"
#include "settings/PreviewSettings.h"

namespace {

namespace fs = std::filesystem;

// The files beside this program that a command line may name (made by
// make_command_line_files), copied into the working folder of each process.
constexpr std::string_view kPictures[] = {"portrait.jpg", "wide.jpg", "grey.jpg", "turned.jpg",
                                          "cut.jpg"};
constexpr char kLayoutName[] = "layout.txt";
// A class of those pictures, one of them missing and one subject without any, for command lines
// that name it with --class.
constexpr char kClassListName[] = "class.csv";
constexpr char kClassList[] =
    "FirstName,LastName,Picture,Main\n"
    "ann,lee,portrait.jpg,\nBO,KIM,wide.jpg,1\nCy,Ng,turned.jpg,\nDi,Ek,missing.jpg,\nEd,Fo,,\n";

// The options of the render command besides the preview options and its limit on the
// resolution, as RunRenderCommand takes them.
const std::vector<std::string_view> kRenderOptions = {"-o", "--output", "--dpi"};
constexpr std::uint32_t kMaximumDpi = 10000;

// Larger groups get the cell items of a group this size and a plan for their full number. Every
// sample cell holds the same cut picture, so only the number of items reaches the plan, while
// making and sorting a hundred thousand named items would take most of the fuzzer's time.
constexpr std::uint32_t kItemsMade = 1000;

// The working folder of this process. Each run goes into it and comes back, so that libFuzzer
// writes its corpus and findings where it was asked to.
class WorkFolder {
 public:
  WorkFolder() {
    // The layout is written afresh for every run, which on a disk's file system can cost a
    // write-back of the truncated file each time; a folder in memory costs nothing of the kind.
    std::error_code error;
    const fs::path parent =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (parent / "command-line-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    const fs::path source = FindInstallFolder();
    for (const std::string_view name : kPictures) fs::copy_file(source / name, folder_ / name);
    std::ofstream(folder_ / "empty").flush();
    std::ofstream(folder_ / kClassListName) << kClassList;
    fs::create_directory(folder_ / "folder");
    home_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    inside_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (home_ < 0 || inside_ < 0) std::abort();
  }
  ~WorkFolder() {
    std::error_code error;
    fs::remove_all(folder_, error);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  void WriteLayout(std::string_view bytes) const {
    std::ofstream(folder_ / kLayoutName, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  void Enter() const {
    if (::fchdir(inside_) != 0) std::abort();
  }
  void Leave() const {
    if (::fchdir(home_) != 0) std::abort();
  }

 private:
  fs::path folder_;
  int home_ = -1;
  int inside_ = -1;
};

// Spends one run inside the working folder with the modal questions going to a stream, as
// RunSubcommand routes them for a command.
class RunScope {
 public:
  RunScope(const WorkFolder& folder, std::ostream& messages)
      : folder_(folder), questions_(messages) {
    folder_.Enter();
    ModalQuestions::Install(&questions_);
  }
  ~RunScope() {
    ModalQuestions::Install(nullptr);
    folder_.Leave();
  }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;

 private:
  const WorkFolder& folder_;
  StreamQuestions questions_;
};

SubcommandArgs SplitLines(std::string_view text) {
  SubcommandArgs words;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    words.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return words;
    start = end + 1;
  }
}

// The checks RunRenderCommand makes of its own options before it draws.
bool RenderOptionsAccepted(const CompositeRequest& request) {
  const std::string* output = request.Extra("-o");
  if (!output) output = request.Extra("--output");
  OutputFormat format;
  if (!output || output->empty() || !OutputFormatFor(*output, format)) return false;
  std::uint32_t dpi = 0;
  const std::string* dpiText = request.Extra("--dpi");
  return !dpiText || ParseBoundedNumber(*dpiText, 1, kMaximumDpi, dpi);
}

// The renderer draws items[placement.Item] for every small image placed and looks up the cell
// of every placement, so a plan that broke these would make it read out of bounds.
void CheckPlan(const CompositePlan& plan, std::size_t items) {
  const CompositeGrid& grid = plan.Grid();
  if (grid.Count > items) std::abort();
  for (const auto& row : grid.Cells) {
    if (row.size() > grid.Cols) std::abort();
  }
  std::size_t nextItem = 0;
  for (const Placement& placement : plan.Placements()) {
    if (placement.Row < 0 || static_cast<std::size_t>(placement.Row) >= grid.Cells.size() ||
        placement.Col < 0 ||
        static_cast<std::size_t>(placement.Col) >=
            grid.Cells[static_cast<std::size_t>(placement.Row)].size()) {
      std::abort();
    }
    if (placement.Kind == PlacementKind::SmallImage &&
        (placement.Item != nextItem++ || placement.Item >= items)) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The grid command runs inside a Qt application; one made here serves every run, as one made
  // by a test serves every command it runs. Both live until the process ends.
  static HeadlessApplication* application = new HeadlessApplication;
  static const WorkFolder folder;
  (void)application;

  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\0');
  if (end == std::string_view::npos) return -1;
  SubcommandArgs args = SplitLines(input.substr(0, end));
  if (args.front() != "grid" && args.front() != "render") return -1;
  for (const std::string& word : args) {
    if (word.find('/') != std::string::npos) return -1;
  }
  const bool render = args.front() == "render";
  args.erase(args.begin());
  folder.WriteLayout(input.substr(end + 1));

  std::ostringstream messages;
  const RunScope scope(folder, messages);
  Reporter reporter(messages);
  CompositeRequest request;
  if (request.Parse(args, render ? RenderSubcommand : GridSubcommand,
                    render ? kRenderOptions : std::vector<std::string_view>{}, messages,
                    reporter)) {
    return 0;
  }
  if (render && !RenderOptionsAccepted(request)) return 0;

  ImageCache& cache = ImageCache::Instance();
  cache.SetRetryPolicy(LoadRetryPolicy::SingleAttempt());
  // The render command keeps no decoded copies in the cache; the grid command leaves the default.
  cache.SetKeepDecodedCopies(!render);
  PreviewSettings settings = request.Settings();
  const std::uint32_t numImages = settings.NumImages;
  settings.NumImages = std::min(numImages, kItemsMade);
  const CompositeSubjects subjects = CompositeSubjects::ForSettings(settings);
  CompositeContent content =
      PrepareComposite(request.Layout(), settings, cache, request.Page(), subjects, false);
  if (!content.Plan) return 0;
  std::size_t items = content.Items.size();
  if (subjects.Class() == nullptr && numImages > kItemsMade) {
    items += numImages - kItemsMade;
    const bool notLandscape = content.Plan->Grid().NotLandscape;
    content.Plan.emplace(request.Layout(), request.Page(), static_cast<std::uint32_t>(items),
                         notLandscape);
  }
  CheckPlan(*content.Plan, items);
  return 0;
}
