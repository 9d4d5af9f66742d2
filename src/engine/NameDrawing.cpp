#include "engine/NameDrawing.h"

#include "engine/CompositeGrid.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "engine/Truncate.h"
#include "images/CellItem.h"
#include "layout/Montage.h"
#include "platform/DeviceContext.h"

std::string PrintedNamePart(const std::string& part) {
  const std::size_t start = part.find_first_not_of("0123456789");
  return start == std::string::npos ? std::string() : part.substr(start);
}

std::vector<DrawnText> DrawNames(const RenderContext& context, const CompositeGrid& grid,
                                 const CellItem& item, int span, int nameLeft, int nameRight,
                                 int nameTop, int frameTop) {
  const Montage& layout = context.Layout;
  std::vector<DrawnText> drawn;
  if (!layout.PrintNames) return drawn;
  std::string first = PrintedNamePart(item.FirstName);
  std::string last = PrintedNamePart(item.LastName);
  if (!layout.PrintNamesFirstLast) std::swap(first, last);
  if (first.empty() && last.empty()) return drawn;

  // The picture is centred in its box, so half of what the framed picture leaves of the cell's
  // height lies below it.
  const double framed = static_cast<double>(nameTop) - frameTop;
  const int band = TruncToInt((span * grid.CellHeight - framed) * 0.5);
  const FontDetails& font = span == 1 ? layout.NameFont : layout.MainNameFont;
  const TextRole role = span == 1 ? TextRole::Name : TextRole::MainName;
  const auto bandBox = [&](int height) {
    return context.Converter.MapRect(Rect{nameLeft, nameTop, nameRight,
                                          SaturateToInt(static_cast<long long>(nameTop) + height)});
  };

  if (!layout.PrintNames2Lines) {
    std::string text = first + " " + last;
    if (auto line = DrawFittedText(context.Dc, context.Converter, text, bandBox(band), font)) {
      drawn.push_back({role, 0, std::move(text), *line});
    }
    return drawn;
  }

  // The second line sits one text height below the first, measured with the font the first
  // line was fitted to; a band too low for the first line has no room for the second either.
  Rect box = bandBox(band / 2);
  const auto line = DrawFittedText(context.Dc, context.Converter, first, box, font);
  if (!line) return drawn;
  if (!first.empty()) drawn.push_back({role, 0, first, *line});
  const SurfaceFont fitted = context.Converter.CreateFont(context.Dc, font, line->PointTenths);
  const SurfaceFont previous = context.Dc.SelectFont(fitted);
  const int lineHeight = context.Dc.GetTextExtentPoint32("gG").cy;
  context.Dc.SelectFont(previous);
  box.Top = SaturateToInt(static_cast<long long>(box.Top) - lineHeight);
  box.Bottom = SaturateToInt(static_cast<long long>(box.Bottom) - lineHeight);
  if (auto second = DrawFittedText(context.Dc, context.Converter, last, box, font)) {
    if (!last.empty()) drawn.push_back({role, 1, last, *second});
  }
  return drawn;
}
