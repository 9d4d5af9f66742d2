#pragma once

// A rectangle of whole units: layout units (y down), logical units (y up) or grid cells. Right
// and bottom are exclusive where the rectangle stands for an area of cells or pixels.
struct Rect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }

  friend bool operator==(const Rect&, const Rect&) = default;
};

// Whether two rectangles, right and bottom exclusive, share any area.
inline bool Intersects(const Rect& a, const Rect& b) {
  return a.Left < a.Right && a.Top < a.Bottom && b.Left < b.Right && b.Top < b.Bottom &&
         a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}
