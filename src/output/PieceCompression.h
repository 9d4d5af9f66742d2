#pragma once

#include <QImage>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <vector>

#include "output/DeflatePieces.h"

// The rows of a picture filtered and compressed piece by piece (see DeflatePieces), by as many
// threads as call Work. Each thread takes the next piece not yet taken, so parts of a picture
// that are more work than others (a photograph against flat colour) even out, and only a
// piece's rows are filtered at a time, so no second copy of the whole picture is ever held. A
// piece is handed out only once every one of its rows is finished: a picture can be compressed
// from the top while its lower part is still being drawn.
class PieceCompression {
 public:
  // For an RGB32 or ARGB32 picture whose pixels stay where they are until the work is done,
  // compressed at the libdeflate level; no row is finished yet. Throws std::bad_alloc.
  PieceCompression(const QImage& picture, int level);

  int Pieces() const { return pieces_; }

  // Rows from the top that will not change any more; the count only grows.
  void FinishRows(int rows);
  // Compresses pieces until none is left, waiting for rows to be finished as needed, or until
  // some thread has failed. Never throws: what stopped the first thread that failed is kept for
  // Result.
  void Work();
  // Stops every thread at its next piece, however many rows are finished.
  void Abandon();
  // The compressed pieces in order, once every thread that worked has returned; raises what
  // stopped the first that failed (std::bad_alloc when memory ran out, std::invalid_argument
  // for a level libdeflate does not have).
  std::vector<DeflatePieces::Piece> Result();

 private:
  // The next piece to compress, or -1 when there is none or the work is stopped.
  int Take();

  const QImage picture_;
  const int level_;
  const std::size_t rowBytes_;
  const int rowsPerPiece_;
  const int pieces_;
  std::vector<DeflatePieces::Piece> compressed_;
  std::mutex lock_;
  std::condition_variable finishedMore_;
  int next_ = 0;
  int finishedRows_ = 0;
  bool stopped_ = false;
  std::exception_ptr failure_;
};
