#include <charconv>
#include <ostream>
#include <string>

#include "cli/CompositeRequest.h"
#include "cli/HeadlessApplication.h"
#include "cli/Reporter.h"
#include "cli/Subcommand.h"
#include "engine/CompositeRenderer.h"
#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"

namespace {

// The shortest decimal form that reads back as exactly the same double.
std::string ExactNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Box(const Rect& rect) {
  return "[" + std::to_string(rect.Left) + "," + std::to_string(rect.Top) + "," +
         std::to_string(rect.Right) + "," + std::to_string(rect.Bottom) + "]";
}

// A JSON string: quotes, backslashes and control characters escaped, UTF-8 passed as it is.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      quoted += "\\u00";
      quoted += kHex[(c >> 4) & 0xF];
      quoted += kHex[c & 0xF];
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string Names(const CellItem& item) {
  return "[" + Quoted(item.FirstName) + "," + Quoted(item.LastName) + "]";
}

std::string CellRows(const CompositeGrid& grid) {
  std::string text = "[";
  for (std::size_t r = 0; r < grid.Cells.size(); ++r) {
    if (r != 0) text += ',';
    text += '"';
    for (CellKind kind : grid.Cells[r]) text += static_cast<char>('0' + static_cast<int>(kind));
    text += '"';
  }
  return text + "]";
}

// The plan as one JSON object; a composite that lays out nothing has no rows and no cells. For a
// class the names of each image follow, in the order of the images, and the main image's.
void WritePlan(std::ostream& out, const Rect& page, const CompositeContent& content,
               bool withNames) {
  static const CompositeGrid noGrid;
  const CompositePlan* plan = content.Plan ? &*content.Plan : nullptr;
  const CompositeGrid& grid = plan ? plan->Grid() : noGrid;
  std::string images = "[";
  std::string names = "[";
  std::string main = "null";
  std::string mainName = "null";
  std::string captions = "null";
  if (plan) {
    for (const Placement& placement : plan->Placements()) {
      switch (placement.Kind) {
        case PlacementKind::SmallImage:
          if (images.size() > 1) images += ',', names += ',';
          images += Box(placement.Box);
          names += Names(content.Items[placement.Item]);
          break;
        case PlacementKind::MainImage:
          if (content.MainItem.HasCell()) {
            main = Box(placement.Box);
            mainName = Names(content.MainItem);
          }
          break;
        case PlacementKind::Captions:
          captions = Box(placement.Box);
          break;
      }
    }
  }
  images += ']';
  names += ']';
  out << "{\"page\":[" << page.Width() << ',' << page.Height()
      << "],\"count\":" << (plan ? grid.Count : 0u) << ",\"rows\":" << grid.Rows
      << ",\"cols\":" << grid.Cols << ",\"cellWidth\":" << ExactNumber(grid.CellWidth)
      << ",\"cellHeight\":" << ExactNumber(grid.CellHeight) << ",\"cells\":" << CellRows(grid)
      << ",\"mainBlock\":" << Box(grid.MainBlock) << ",\"captionBlock\":" << Box(grid.CaptionBlock)
      << ",\"imageMargin\":" << (plan ? plan->ImageMargin() : 0) << ",\"images\":" << images
      << ",\"main\":" << main << ",\"captions\":" << captions;
  if (withNames) out << ",\"names\":" << names << ",\"mainName\":" << mainName;
  out << "}\n";
}

int RunGridCommand(const SubcommandArgs& args, std::ostream& out, Reporter& reporter) {
  HeadlessApplication application;
  CompositeRequest request;
  if (const auto status = request.Parse(args, GridSubcommand, {}, out, reporter)) return *status;

  // Nobody watches a command wait, so a picture that cannot be decoded fails at once.
  ImageCache& cache = ImageCache::Instance();
  cache.SetRetryPolicy(LoadRetryPolicy::SingleAttempt());
  const CompositeSubjects& subjects = request.Subjects();
  if (!subjects.ClassError().empty()) return reporter.Fail(subjects.ClassError());
  const Rect page = request.Page();
  // The grid draws no picture, so it asks for cells of about a pixel: each picture of a class is
  // then decoded at an eighth of its sides, which still finds a missing, unreadable or damaged
  // file (reading its header alone would not) for a small part of the work.
  constexpr double kCellsOfAPixel = 1e-6;
  const CompositeContent content = PrepareComposite(request.Layout(), request.Settings(), cache,
                                                    page, subjects, false, kCellsOfAPixel);
  // The samples' one problem is the sample itself, without which no cell was made.
  if (subjects.Class() == nullptr && !content.Problems.empty()) {
    reporter.Relay(content.Problems.front().Error);
    return ExitFailed;
  }
  WritePlan(out, page, content, subjects.Class() != nullptr);
  if (const int status = FinishOutput(out, reporter)) return status;
  return ReportPictureProblems(content.Problems, reporter);
}

}  // namespace

const Subcommand GridSubcommand{
    .Name = "grid",
    .Synopsis = "LAYOUT [preview options]",
    .Summary = "Prints the grid that render lays out for the layout file LAYOUT as JSON.",
    .TakesPreviewOptions = true,
    .Run = RunGridCommand,
};
