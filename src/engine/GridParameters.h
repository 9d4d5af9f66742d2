#pragma once

#include <cstdint>

class Montage;

// The layout values that the grid geometry reads, made safe to compute with. A layout file may
// carry values the form never produces; each is read here once so that the sizing, the blocks
// and the placement agree on what it means.
class GridParameters {
 public:
  explicit GridParameters(const Montage& layout);

  // Blocks wider or higher than this many cells are held at it, which keeps the sizing loop and
  // the cell table bounded whatever a layout file says; the form allows at most 50.
  static constexpr std::uint32_t MaxBlockSpan = 100;

  // The main image's size in cells: 0 counts as 1, which means no main image.
  std::uint32_t MainMultiple() const { return mainMultiple_; }
  bool HasMain() const { return mainMultiple_ > 1; }
  bool HasCaptions() const { return hasCaptions_; }
  std::uint32_t CaptionCols() const { return captionCols_; }
  std::uint32_t CaptionRows() const { return captionRows_; }

  // A position outside 0..8 places its block at the top left, never widens it and never moves
  // it out of the other block's way.
  bool MainPlaced() const { return IsPlace(mainPosition_); }
  bool CaptionPlaced() const { return IsPlace(captionPosition_); }
  int MainPosition() const { return mainPosition_; }
  int CaptionPosition() const { return captionPosition_; }
  bool MainCentred() const { return IsCentred(mainPosition_); }
  bool CaptionCentred() const { return IsCentred(captionPosition_); }

  // The image margin as a percentage of a cell's smaller side. Above 50 the margins of a cell
  // would cross and turn its box inside out, so larger values are held at 50.
  std::uint32_t MarginPercent() const { return marginPercent_; }

  // Row height to column width; a crop number of 0 counts as 1.
  double Proportion(bool notLandscape) const;

  // The cells the grid needs for count images without any widening.
  std::uint64_t CellsNeeded(std::uint32_t count) const;
  // The same when the grid has cols columns and the centred blocks must be widened to stay
  // centred.
  std::uint64_t CellsNeeded(std::uint32_t count, std::uint32_t cols) const;

  static bool IsPlace(int position) { return position >= 0 && position <= 8; }

 private:
  static bool IsCentred(int position) { return position == 1 || position == 4 || position == 7; }

  std::uint32_t mainMultiple_;
  bool hasCaptions_;
  std::uint32_t captionCols_;
  std::uint32_t captionRows_;
  int mainPosition_;
  int captionPosition_;
  std::uint32_t cropHeight_;
  std::uint32_t cropWidth_;
  std::uint32_t marginPercent_;
};
