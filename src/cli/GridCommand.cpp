#include <charconv>
#include <ostream>
#include <string>

#include "cli/CompositeRequest.h"
#include "cli/HeadlessApplication.h"
#include "cli/Subcommand.h"
#include "engine/CompositeRenderer.h"
#include "images/ImageCache.h"
#include "output/PreviewSubjects.h"

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

// The plan as one JSON object; a composite that lays out nothing has no rows and no cells.
void WritePlan(std::ostream& out, const Rect& page, const CompositeContent& content) {
  static const CompositeGrid noGrid;
  const CompositePlan* plan = content.Plan ? &*content.Plan : nullptr;
  const CompositeGrid& grid = plan ? plan->Grid() : noGrid;
  std::string images = "[";
  std::string main = "null";
  std::string captions = "null";
  if (plan) {
    for (const Placement& placement : plan->Placements()) {
      switch (placement.Kind) {
        case PlacementKind::SmallImage:
          if (images.size() > 1) images += ',';
          images += Box(placement.Box);
          break;
        case PlacementKind::MainImage:
          if (content.MainItem.Picture) main = Box(placement.Box);
          break;
        case PlacementKind::Captions:
          captions = Box(placement.Box);
          break;
      }
    }
  }
  images += ']';
  out << "{\"page\":[" << page.Width() << ',' << page.Height()
      << "],\"count\":" << (plan ? grid.Count : 0u) << ",\"rows\":" << grid.Rows
      << ",\"cols\":" << grid.Cols << ",\"cellWidth\":" << ExactNumber(grid.CellWidth)
      << ",\"cellHeight\":" << ExactNumber(grid.CellHeight) << ",\"cells\":" << CellRows(grid)
      << ",\"mainBlock\":" << Box(grid.MainBlock) << ",\"captionBlock\":" << Box(grid.CaptionBlock)
      << ",\"imageMargin\":" << (plan ? plan->ImageMargin() : 0) << ",\"images\":" << images
      << ",\"main\":" << main << ",\"captions\":" << captions << "}\n";
}

int RunGridCommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err) {
  HeadlessApplication application;
  CompositeRequest request;
  if (const auto status = request.Parse(args, GridSubcommand, {}, out, err)) return *status;

  // Nobody watches a command wait, so a picture that cannot be decoded fails at once.
  ImageCache& cache = ImageCache::Instance();
  cache.SetRetryPolicy(LoadRetryPolicy::SingleAttempt());
  const PreviewSubjects subjects(request.Settings().NumImages);
  const Rect page = request.Page();
  const CompositeContent content =
      PrepareComposite(request.Layout(), request.Settings(), cache, page, subjects.Portraits(),
                       subjects.Main(), false);
  // Subjects enough for a composite but no cell made: the sample could not be read, which the
  // sample composite has already said.
  if (subjects.Portraits().size() >= 2 && content.Items.empty()) return 1;
  WritePlan(out, page, content);
  return FinishOutput(out, err);
}

}  // namespace

const Subcommand GridSubcommand{
    .Name = "grid",
    .Synopsis = "LAYOUT [preview options]",
    .Summary = "Prints the grid that render lays out for the layout file LAYOUT as JSON.",
    .TakesPreviewOptions = true,
    .Run = RunGridCommand,
};
