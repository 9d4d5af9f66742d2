#include "output/FastDeflate.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Compresses each piece as a part of its own, all parts sharing one token buffer as the PNG
// encoder's threads do, joins them and inflates the result with zlib (through Qt, which checks
// the Adler-32 as well). A canary after the joined size catches a join that writes past it.
Bytes RoundTrip(const std::vector<Bytes>& pieces) {
  std::vector<FastDeflate> parts(pieces.size());
  std::vector<std::uint16_t> tokens;
  std::size_t total = 0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    parts[i].AddBlock(pieces[i].data(), pieces[i].size(), i + 1 == pieces.size(), tokens);
    total += pieces[i].size();
  }
  const std::size_t size = FastDeflate::JoinedSize(parts);
  // Qt wants the inflated size first, big-endian, then the zlib stream.
  QByteArray stream(static_cast<qsizetype>(4 + size + 16), '\x5A');
  for (int i = 0; i < 4; ++i) stream[i] = static_cast<char>(total >> (24 - 8 * i));
  FastDeflate::Join(parts, reinterpret_cast<std::uint8_t*>(stream.data()) + 4);
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

TEST(FastDeflate, RunsOfEveryLengthUpToPastTheLongestMatch) {
  // A run of n copies, then a different byte, for n from 1 to 600: runs shorter than a match,
  // each length code and its extra bits, 258 itself and runs split into several matches.
  Bytes piece;
  for (int n = 1; n <= 600; ++n) {
    piece.insert(piece.end(), static_cast<std::size_t>(n), static_cast<std::uint8_t>(n * 7));
    piece.push_back(static_cast<std::uint8_t>(n * 7 + 1));
  }
  // A run that reaches the end of the block.
  piece.insert(piece.end(), 300, 9);
  EXPECT_EQ(RoundTrip({piece}), piece);
}

TEST(FastDeflate, CodesOfSkewedBytesStayWithinFifteenBits) {
  // Byte k appears as often as the k-th Fibonacci number, which would give the rarest bytes
  // codes of more than twenty bits; deflate allows fifteen, and zlib refuses longer ones.
  Bytes piece;
  std::uint32_t previous = 1;
  std::uint32_t current = 1;
  for (int k = 0; k < 26; ++k) {
    piece.insert(piece.end(), current, static_cast<std::uint8_t>(k * 9));
    current = std::exchange(previous, current) + current;
  }
  std::shuffle(piece.begin(), piece.end(), std::mt19937(5));
  EXPECT_EQ(RoundTrip({piece}), piece);
}

TEST(FastDeflate, PartsJoinAtEveryBitOffsetWithAnAdlerSumAcrossThem) {
  // Parts of many lengths and contents end at every bit position of a byte; the noise parts are
  // longer than one Adler-32 stride, and empty parts give blocks with only an end code.
  std::mt19937 random(11);
  std::vector<Bytes> pieces;
  for (int i = 0; i < 40; ++i) {
    Bytes piece(static_cast<std::size_t>(random() % (i % 3 == 0 ? 9000 : 300)));
    const bool noisy = i % 2 == 0;
    for (std::uint8_t& byte : piece) {
      byte = noisy ? static_cast<std::uint8_t>(random()) : static_cast<std::uint8_t>(random() % 3);
    }
    pieces.push_back(std::move(piece));
  }
  pieces.insert(pieces.begin() + 5, Bytes());
  pieces.push_back(Bytes());
  EXPECT_EQ(RoundTrip(pieces), Concatenated(pieces));
}

TEST(FastDeflate, OneScratchServesLargerAndSmallerBlocks) {
  std::vector<Bytes> pieces;
  for (std::size_t size : {100000u, 17u, 250000u, 1u}) {
    Bytes piece(size);
    for (std::size_t i = 0; i < size; ++i) piece[i] = static_cast<std::uint8_t>((i / 5) * 3);
    pieces.push_back(std::move(piece));
  }
  EXPECT_EQ(RoundTrip(pieces), Concatenated(pieces));
}

}  // namespace
