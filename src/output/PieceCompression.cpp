#include "output/PieceCompression.h"

#include <algorithm>
#include <cstdint>

#include "output/RowFilter.h"

namespace {

// Filtered bytes per piece: enough that the history a piece cannot refer back into costs little
// size, few enough that the threads share a picture's pieces evenly.
constexpr std::size_t kPieceBytes = 512 * 1024;

int RowsPerPiece(const QImage& picture) {
  const std::size_t rows = kPieceBytes / RowFilter::RowBytes(picture.width());
  return static_cast<int>(std::clamp<std::size_t>(rows, 1, std::max(picture.height(), 1)));
}

}  // namespace

PieceCompression::PieceCompression(const QImage& picture, int level)
    : picture_(picture),
      level_(level),
      rowBytes_(RowFilter::RowBytes(picture.width())),
      rowsPerPiece_(RowsPerPiece(picture)),
      pieces_((picture.height() + rowsPerPiece_ - 1) / rowsPerPiece_),
      compressed_(static_cast<std::size_t>(pieces_)) {}

void PieceCompression::FinishRows(int rows) {
  {
    const std::lock_guard lock(lock_);
    finishedRows_ = std::max(finishedRows_, rows);
  }
  finishedMore_.notify_all();
}

void PieceCompression::Abandon() {
  {
    const std::lock_guard lock(lock_);
    stopped_ = true;
  }
  finishedMore_.notify_all();
}

int PieceCompression::Take() {
  std::unique_lock lock(lock_);
  const auto ready = [this] {
    if (stopped_ || next_ >= pieces_) return true;
    const int end = std::min(picture_.height(), (next_ + 1) * rowsPerPiece_);
    return end <= finishedRows_;
  };
  finishedMore_.wait(lock, ready);
  if (stopped_ || next_ >= pieces_) return -1;
  return next_++;
}

void PieceCompression::Work() {
  // An exception must not leave a thread: it would end the program.
  try {
    DeflatePieces deflate(level_);
    RowFilter filter(picture_.width());
    std::vector<std::uint8_t> filtered(rowBytes_ * static_cast<std::size_t>(rowsPerPiece_));
    for (int p = Take(); p >= 0; p = Take()) {
      const int top = p * rowsPerPiece_;
      const int rows = std::min(picture_.height() - top, rowsPerPiece_);
      filter.Filter(picture_, top, rows, filtered.data());
      compressed_[static_cast<std::size_t>(p)] = deflate.Compress(
          {filtered.data(), rowBytes_ * static_cast<std::size_t>(rows)}, p == pieces_ - 1);
    }
  } catch (...) {
    {
      const std::lock_guard lock(lock_);
      if (!failure_) failure_ = std::current_exception();
    }
    Abandon();  // the other threads stop at their next piece
  }
}

std::vector<DeflatePieces::Piece> PieceCompression::Result() {
  if (failure_) std::rethrow_exception(failure_);
  return std::move(compressed_);
}
