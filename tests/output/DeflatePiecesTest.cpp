// Pieces compressed apart and joined must make one zlib stream that zlib itself (through Qt's
// qUncompress, which also checks the Adler-32 sum) inflates to the whole input. The cases give
// the joins every kind of final block libdeflate writes (stored, fixed and dynamic codes, empty
// input) ending at every bit position of a byte.
#include "output/DeflatePieces.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Compresses each piece with one compressor, as one thread of the PNG encoder does, joins them
// and inflates the result. A canary after the joined size catches a join that writes past it.
Bytes RoundTrip(const std::vector<Bytes>& pieces, int level) {
  DeflatePieces deflate(level);
  std::vector<DeflatePieces::Piece> parts;
  std::size_t total = 0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    parts.push_back(deflate.Compress(pieces[i], i + 1 == pieces.size()));
    total += pieces[i].size();
  }
  const std::size_t size = DeflatePieces::JoinedSize(parts);
  // Qt wants the inflated size first, big-endian, then the zlib stream.
  QByteArray stream(static_cast<qsizetype>(4 + size + 16), '\x5A');
  for (int i = 0; i < 4; ++i) stream[i] = static_cast<char>(total >> (24 - 8 * i));
  DeflatePieces::Join(parts, reinterpret_cast<std::uint8_t*>(stream.data()) + 4);
  for (qsizetype i = 4 + static_cast<qsizetype>(size); i < stream.size(); ++i) {
    EXPECT_EQ(stream[i], '\x5A') << "written past the joined size at " << i;
  }
  stream.chop(16);
  const QByteArray inflated = qUncompress(stream);
  return Bytes(inflated.begin(), inflated.end());
}

Bytes Concatenated(const std::vector<Bytes>& pieces) {
  Bytes all;
  for (const Bytes& piece : pieces) all.insert(all.end(), piece.begin(), piece.end());
  return all;
}

// size bytes drawn from the first `values` byte values: 256 gives noise, which libdeflate keeps
// in stored blocks; a few values give data that its Huffman codes shrink.
Bytes Random(std::size_t size, unsigned values, std::mt19937& random) {
  Bytes bytes(size);
  for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random() % values);
  return bytes;
}

class DeflatePiecesLevels : public testing::TestWithParam<int> {};

// libdeflate's storing, fastest, the encoder's and its slowest levels split and code blocks
// differently.
INSTANTIATE_TEST_SUITE_P(Levels, DeflatePiecesLevels, testing::Values(0, 1, 6, 12));

TEST_P(DeflatePiecesLevels, PiecesOfEveryLengthEndAtEveryBitAndJoin) {
  // Short pieces get one block of fixed codes whose end falls at a bit position that changes
  // with every byte added; the longer ones get blocks of their own codes.
  std::mt19937 random(3);
  std::vector<Bytes> pieces;
  for (std::size_t size = 0; size < 90; ++size) pieces.push_back(Random(size, 5, random));
  for (std::size_t size = 1000; size < 1040; ++size) pieces.push_back(Random(size, 40, random));
  EXPECT_EQ(RoundTrip(pieces, GetParam()), Concatenated(pieces));
}

TEST_P(DeflatePiecesLevels, StoredFixedDynamicAndEmptyPiecesInEveryOrder) {
  std::mt19937 random(17);
  const std::vector<Bytes> kinds = {
      Random(70000, 256, random),  // noise: stored blocks
      Bytes{1, 2, 3},              // fixed codes
      Random(20000, 7, random),    // dynamic codes
      Bytes(),                     // nothing but an end code
  };
  for (std::size_t first = 0; first < kinds.size(); ++first) {
    for (std::size_t second = 0; second < kinds.size(); ++second) {
      SCOPED_TRACE(testing::Message() << "kinds " << first << " and " << second);
      const std::vector<Bytes> pieces = {kinds[first], kinds[second], kinds[first]};
      EXPECT_EQ(RoundTrip(pieces, GetParam()), Concatenated(pieces));
    }
  }
}

TEST_P(DeflatePiecesLevels, PiecesOfManyBlocksAndMoreOutputThanInflatesRoom) {
  // Megabyte pieces whose content changes on the way make libdeflate end many blocks; long runs
  // inflate to far more than the room inflate is given at a time.
  std::mt19937 random(29);
  std::vector<Bytes> pieces;
  for (int p = 0; p < 3; ++p) {
    Bytes piece;
    for (int stretch = 0; stretch < 40; ++stretch) {
      const Bytes part = stretch % 3 == 0 ? Bytes(30000, static_cast<std::uint8_t>(stretch))
                                          : Random(30000, 4u << (stretch % 6), random);
      piece.insert(piece.end(), part.begin(), part.end());
    }
    pieces.push_back(std::move(piece));
  }
  pieces.push_back(Bytes(300000, 0));
  EXPECT_EQ(RoundTrip(pieces, GetParam()), Concatenated(pieces));
}

TEST(DeflatePieces, OnePieceIsAWholeStream) {
  const std::string text = "a composite of twenty portraits, a composite of twenty portraits";
  const std::vector<Bytes> pieces = {Bytes(text.begin(), text.end())};
  EXPECT_EQ(RoundTrip(pieces, 6), pieces.front());
  EXPECT_EQ(RoundTrip({Bytes()}, 6), Bytes());
}

TEST(DeflatePieces, EveryPieceButTheLastEndsWithAnEmptyStoredBlock) {
  // The empty stored block's length and complement close each piece but the last, which ends
  // the stream instead.
  DeflatePieces deflate(6);
  const Bytes input(5000, 9);
  const Bytes middle = deflate.Compress(input, false).Bytes;
  const Bytes last = deflate.Compress(input, true).Bytes;
  ASSERT_GE(middle.size(), 4u);
  EXPECT_EQ(Bytes(middle.end() - 4, middle.end()), (Bytes{0x00, 0x00, 0xFF, 0xFF}));
  EXPECT_LT(last.size(), middle.size());
}

TEST(DeflatePieces, AdlerSumAndSizeOfEachPiecesInput) {
  DeflatePieces deflate(6);
  const std::string text = "Wikipedia";  // its Adler-32 sum is the well-known 0x11E60398
  const DeflatePieces::Piece piece =
      deflate.Compress(Bytes(text.begin(), text.end()), /*last=*/false);
  EXPECT_EQ(piece.Adler, 0x11E60398u);
  EXPECT_EQ(piece.InputSize, text.size());
}

}  // namespace
