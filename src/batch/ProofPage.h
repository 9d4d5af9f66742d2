#pragma once

#include <QImage>
#include <cstddef>
#include <string>
#include <vector>

class QFontMetricsF;
class QPainter;

// One page of a proof for the school: the composite as drawn and what its footer says.
struct ProofPage {
  // The composite drawn at any resolution, in the proportion of its paper.
  QImage Composite;
  // The paper in tenths of a millimetre, as the composite lies; the page has its size.
  int PaperWidth = 0;
  int PaperHeight = 0;
  std::string Group;
  std::size_t Count = 0;
  // Each picture that could not be drawn, as the footer names it.
  std::vector<std::string> Missing;
};

// The most lines the footer gives the missing pictures; a longer list ends in "... and N more".
inline constexpr std::size_t MaxMissingLines = 3;

// The footer's text, a line each: the group, its count and how many pictures are missing, then
// the missing pictures one after another, wrapped to lines no wider than width as the metrics
// measure them. When they do not all fit in MaxMissingLines, the last line says how many more
// there are; a single name longer than a line is cut short with an ellipsis.
std::vector<std::string> ProofFooterLines(const ProofPage& page, const QFontMetricsF& metrics,
                                          double width);

// Paints the page on a painter whose device is the page itself, in pixels of the device: the
// composite as large as the room above the footer allows, a light diagonal "PROOF" across it, and
// the footer.
void PaintProofPage(QPainter& painter, const ProofPage& page);
