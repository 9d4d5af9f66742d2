#include "engine/PlaceholderDrawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "engine/DisplayConverter.h"
#include "platform/DeviceContext.h"

namespace {

// Corners of each rounded outline: enough that no facet shows on a main image printed large.
constexpr int kArcPoints = 72;

// The figure is measured in units of its width s: it stands 1.25 s high, the 4 : 5 of a
// portrait, and every length below is a multiple of s. Heights count upwards from its feet.
constexpr double kFigureHeight = 1.25;
constexpr double kHeadCentre = 0.80;
constexpr double kHeadHalfWidth = 0.185;
constexpr double kHeadHalfHeight = 0.235;
constexpr double kNeckHalfWidth = 0.095;
constexpr double kNeckBottom = 0.40;
constexpr double kNeckTop = 0.62;
constexpr double kShoulderHalfWidth = 0.47;
constexpr double kShoulderCurveStart = 0.14;
constexpr double kShoulderCurveHeight = 0.28;

// Places points of the figure, given in its units, on the surface's logical grid (y up).
class FigureFrame {
 public:
  FigureFrame(double centreX, double feetY, double unit)
      : centreX_(centreX), feetY_(feetY), unit_(unit) {}

  LogicalPoint At(double x, double up) const {
    return {static_cast<int>(std::lround(centreX_ + x * unit_)),
            static_cast<int>(std::lround(feetY_ + up * unit_))};
  }

  // Points along an ellipse arc from angle `from` to `to` (radians, counter-clockwise from the
  // right, y up).
  void Arc(std::vector<LogicalPoint>& points, double centreUp, double halfWidth, double halfHeight,
           double from, double to) const {
    for (int i = 0; i <= kArcPoints; ++i) {
      const double angle = from + (to - from) * i / kArcPoints;
      points.push_back(At(halfWidth * std::cos(angle), centreUp + halfHeight * std::sin(angle)));
    }
  }

 private:
  double centreX_;
  double feetY_;
  double unit_;
};

}  // namespace

void DrawPlaceholder(DeviceContext& dc, const DisplayConverter& converter, const Rect& picture) {
  const Rect mapped = converter.MapRect(picture);
  const double width = static_cast<double>(mapped.Right) - mapped.Left;
  const double height = static_cast<double>(mapped.Top) - mapped.Bottom;
  if (width <= 0 || height <= 0) return;
  dc.FillSolidRect(mapped.Left, mapped.Top, mapped.Right, mapped.Bottom, PlaceholderBackdrop);

  // The figure fills the width of a portrait rectangle and keeps its proportions in any other.
  // Its feet stand a logical unit above the bottom edge, so that the pen, which straddles the
  // outline, stays inside the picture and off the frame.
  const double unit = std::min(width, height / kFigureHeight);
  const FigureFrame figure(mapped.Left + width / 2, mapped.Bottom + 1.0, unit);
  constexpr double kPi = std::numbers::pi;

  std::vector<LogicalPoint> shoulders{figure.At(-kShoulderHalfWidth, 0)};
  figure.Arc(shoulders, kShoulderCurveStart, kShoulderHalfWidth, kShoulderCurveHeight, kPi, 0);
  shoulders.push_back(figure.At(kShoulderHalfWidth, 0));
  const std::vector<LogicalPoint> neck{
      figure.At(-kNeckHalfWidth, kNeckBottom), figure.At(kNeckHalfWidth, kNeckBottom),
      figure.At(kNeckHalfWidth, kNeckTop), figure.At(-kNeckHalfWidth, kNeckTop)};
  std::vector<LogicalPoint> head;
  figure.Arc(head, kHeadCentre, kHeadHalfWidth, kHeadHalfHeight, 0, 2 * kPi);

  const Pen previousPen = dc.SelectPen(Pen{PlaceholderFigure});
  const Brush previousBrush = dc.SelectBrush(Brush{PlaceholderFigure});
  dc.Polygon(shoulders);
  dc.Polygon(neck);
  dc.Polygon(head);
  dc.SelectPen(previousPen);
  dc.SelectBrush(previousBrush);
}
