#include "output/FastDeflate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr int kEndOfBlock = 256;
constexpr int kLiteralLengthSymbols = 286;
constexpr int kMinimumRun = 3;
constexpr int kMaximumRun = 258;
constexpr int kMaximumCodeLength = 15;
constexpr int kMaximumCodeLengthCodeLength = 7;
constexpr std::uint32_t kAdlerModulus = 65521;
// Bytes summed before the Adler-32 sums are reduced; the largest count that cannot overflow.
constexpr std::size_t kAdlerStride = 5552;
constexpr std::array<int, 19> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                  11, 4,  12, 3, 13, 2, 14, 1, 15};

struct LengthCode {
  std::uint16_t Symbol = 0;
  std::uint8_t ExtraBits = 0;
  std::uint16_t Extra = 0;
};

// Tokens are literals 0 to 255 and runs 257 to 512.
constexpr std::size_t kTokenKinds = kEndOfBlock + 1 + kMaximumRun - kMinimumRun + 1;

// Eight bytes as a number, the first one lowest.
std::uint64_t LoadLittleEndian64(const std::uint8_t* bytes) {
  std::uint64_t value = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&value, bytes, sizeof value);
  } else {
    for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[i];
  }
  return value;
}

// How many of the bytes from data on, at most limit, equal byte; eight are compared at a time.
std::size_t RunLength(const std::uint8_t* data, std::size_t limit, std::uint8_t byte) {
  const std::uint64_t pattern = 0x0101010101010101ull * byte;
  std::size_t run = 0;
  for (; run + 8 <= limit; run += 8) {
    const std::uint64_t differing = LoadLittleEndian64(data + run) ^ pattern;
    if (differing != 0) return run + static_cast<std::size_t>(std::countr_zero(differing) / 8);
  }
  while (run < limit && data[run] == byte) ++run;
  return run;
}

void StoreLittleEndian64(std::uint8_t* out, std::uint64_t value) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &value, sizeof value);
  } else {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

// The deflate code of every match length from 3 to 258.
const std::array<LengthCode, kMaximumRun + 1>& LengthCodes() {
  static const std::array<LengthCode, kMaximumRun + 1> codes = [] {
    constexpr std::array<int, 29> base = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                          15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
    constexpr std::array<int, 29> extra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    std::array<LengthCode, kMaximumRun + 1> table{};
    for (int code = 0; code < 29; ++code) {
      const int last = code == 28 ? 258 : base[code] + (1 << extra[code]) - 1;
      for (int length = base[code]; length <= last && length <= kMaximumRun; ++length) {
        if (code == 27 && length == 258) continue;  // 258 has a code of its own
        table[length] = {static_cast<std::uint16_t>(257 + code),
                         static_cast<std::uint8_t>(extra[code]),
                         static_cast<std::uint16_t>(length - base[code])};
      }
    }
    return table;
  }();
  return codes;
}

// Huffman code lengths for the frequencies, none longer than limit. Codes that come out too
// long are made shorter by flattening the frequencies and building again, which always ends:
// equal frequencies give a balanced tree. At least two symbols get a code, as a decoder needs.
//
// The tree is built by always joining the two lightest nodes, the lower number first among
// equals, where symbols are numbered by their value and joined pairs after every symbol in the
// order they are made. Pairs are made in order of weight, so the lightest nodes are always at
// the fronts of two lists, the symbols sorted once and the pairs as they are made.
std::vector<std::uint8_t> CodeLengths(std::vector<std::uint32_t> frequencies, int limit) {
  const std::size_t count = frequencies.size();
  std::size_t used = 0;
  for (std::uint32_t f : frequencies) used += f != 0;
  for (std::size_t s = 0; used < 2 && s < count; ++s) {
    if (frequencies[s] == 0) {
      frequencies[s] = 1;
      ++used;
    }
  }
  std::vector<int> symbols;
  for (std::size_t s = 0; s < count; ++s) {
    if (frequencies[s] != 0) symbols.push_back(static_cast<int>(s));
  }
  const std::size_t pairs = symbols.size() - 1;
  std::vector<std::uint64_t> pairWeight(pairs);
  std::vector<std::size_t> pairParent(pairs);
  std::vector<std::size_t> symbolParent(count);
  std::vector<int> pairDepth(pairs);
  std::vector<std::uint8_t> lengths(count, 0);
  while (true) {
    std::sort(symbols.begin(), symbols.end(), [&](int a, int b) {
      const auto fa = frequencies[static_cast<std::size_t>(a)];
      const auto fb = frequencies[static_cast<std::size_t>(b)];
      return fa != fb ? fa < fb : a < b;
    });
    std::size_t nextSymbol = 0;
    std::size_t nextPair = 0;
    // Takes the lightest node not yet joined; a symbol wins a tie, being numbered lower.
    const auto take = [&](std::size_t made, std::size_t*& parent) -> std::uint64_t {
      if (nextSymbol < symbols.size() &&
          (nextPair == made ||
           frequencies[static_cast<std::size_t>(symbols[nextSymbol])] <= pairWeight[nextPair])) {
        const auto symbol = static_cast<std::size_t>(symbols[nextSymbol++]);
        parent = &symbolParent[symbol];
        return frequencies[symbol];
      }
      parent = &pairParent[nextPair];
      return pairWeight[nextPair++];
    };
    for (std::size_t made = 0; made < pairs; ++made) {
      std::size_t* first = nullptr;
      std::size_t* second = nullptr;
      const std::uint64_t weight = take(made, first) + take(made, second);
      *first = made;
      *second = made;
      pairWeight[made] = weight;
    }
    // The last pair is the root; every other pair's parent was made after it.
    pairDepth[pairs - 1] = 0;
    for (std::size_t p = pairs - 1; p-- > 0;) pairDepth[p] = pairDepth[pairParent[p]] + 1;
    int longest = 0;
    for (const int symbol : symbols) {
      const auto s = static_cast<std::size_t>(symbol);
      const int depth = pairDepth[symbolParent[s]] + 1;
      lengths[s] = static_cast<std::uint8_t>(depth);
      longest = std::max(longest, depth);
    }
    if (longest <= limit) return lengths;
    for (std::uint32_t& f : frequencies) {
      if (f != 0) f = (f >> 1) | 1u;
    }
  }
}

// Canonical codes for the lengths, bit-reversed because deflate sends codes from their top bit
// while bits are packed from the bottom.
std::vector<std::uint16_t> Codes(const std::vector<std::uint8_t>& lengths) {
  std::array<int, kMaximumCodeLength + 2> counts{};
  for (std::uint8_t length : lengths) ++counts[length];
  counts[0] = 0;
  std::array<int, kMaximumCodeLength + 2> next{};
  int code = 0;
  for (int bits = 1; bits <= kMaximumCodeLength; ++bits) {
    code = (code + counts[static_cast<std::size_t>(bits - 1)]) << 1;
    next[static_cast<std::size_t>(bits)] = code;
  }
  std::vector<std::uint16_t> codes(lengths.size(), 0);
  for (std::size_t s = 0; s < lengths.size(); ++s) {
    const int length = lengths[s];
    if (length == 0) continue;
    int value = next[static_cast<std::size_t>(length)]++;
    int reversed = 0;
    for (int i = 0; i < length; ++i, value >>= 1) reversed = (reversed << 1) | (value & 1);
    codes[s] = static_cast<std::uint16_t>(reversed);
  }
  return codes;
}

}  // namespace

FastDeflate::FastDeflate() = default;

void FastDeflate::Reserve(std::size_t bytes) {
  const std::size_t room = used_ + bytes;
  if (capacity_ >= room) return;
  const std::size_t capacity = std::max(room, capacity_ * 2);
  auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
  if (used_ != 0) std::copy(stream_.get(), stream_.get() + used_, grown.get());
  stream_ = std::move(grown);
  capacity_ = capacity;
}

void FastDeflate::UpdateAdler(const std::uint8_t* data, std::size_t size) {
  inputSize_ += size;
  for (std::size_t start = 0; start < size; start += kAdlerStride) {
    const auto length = static_cast<std::uint32_t>(std::min(size - start, kAdlerStride));
    const std::uint8_t* bytes = data + start;
    // Over a chunk, b grows by a for every byte and by each byte once for every byte from it to
    // the end; summed that way the loop has no chain from one byte to the next and vectorises
    // (in 32-bit lanes, which the stride keeps from overflowing).
    std::uint32_t sum = 0;
    std::uint32_t weighted = 0;
    for (std::uint32_t i = 0; i < length; ++i) {
      sum += bytes[i];
      weighted += (length - i) * bytes[i];
    }
    adlerB_ = static_cast<std::uint32_t>((adlerB_ + std::uint64_t{adlerA_} * length + weighted) %
                                         kAdlerModulus);
    adlerA_ = (adlerA_ + sum) % kAdlerModulus;
  }
}

void FastDeflate::AddBlock(const std::uint8_t* data, std::size_t size, bool last,
                           std::vector<std::uint16_t>& scratch) {
  UpdateAdler(data, size);
  // 0..255 a literal, 257 + n a run of n + 3 copies of the byte before.
  if (scratch.size() < size + 1) scratch.resize(size + 1);
  std::uint16_t* tokens = scratch.data();
  std::size_t count = 0;
  // Literals are counted in four tables by position, so that a byte that comes again at once
  // does not wait for its own count to be stored; runs are counted by length.
  std::array<std::array<std::uint32_t, 256>, 4> literalCounts{};
  std::array<std::uint32_t, kMaximumRun + 1> runCounts{};
  const auto literals = [&](std::size_t from, std::size_t n) {
    for (std::size_t j = 0; j < n; ++j) {
      const std::uint8_t byte = data[from + j];
      tokens[count + j] = byte;
      ++literalCounts[j & 3][byte];
    }
    count += n;
  };
  // The tokens of position i: its literal, and a match when the next three bytes or more repeat
  // it. Returns the position after them.
  const auto step = [&](std::size_t i) -> std::size_t {
    literals(i, 1);
    const std::size_t run =
        RunLength(data + i + 1, std::min<std::size_t>(kMaximumRun, size - i - 1), data[i]);
    if (run < kMinimumRun) return i + 1;
    tokens[count++] = static_cast<std::uint16_t>(kEndOfBlock + 1 + run - kMinimumRun);
    ++runCounts[run];
    return i + 1 + run;
  };
  std::size_t i = 0;
  // Eight positions are tested at once while eleven bytes are left to read: a position starts a
  // run when its byte differs from none of the next three, that is where the three differences
  // have a zero byte in common.
  while (i + 11 <= size) {
    const std::uint64_t here = LoadLittleEndian64(data + i);
    const std::uint64_t differences = (here ^ LoadLittleEndian64(data + i + 1)) |
                                      (here ^ LoadLittleEndian64(data + i + 2)) |
                                      (here ^ LoadLittleEndian64(data + i + 3));
    // The lowest byte that is zero gets its top bit set (higher ones may be wrong, and are not
    // looked at).
    const std::uint64_t zeros =
        (differences - 0x0101010101010101ull) & ~differences & 0x8080808080808080ull;
    if (zeros == 0) {
      literals(i, 8);
      i += 8;
      continue;
    }
    const auto first = static_cast<std::size_t>(std::countr_zero(zeros) / 8);
    literals(i, first);
    i = step(i + first);
  }
  while (i < size) i = step(i);

  const auto& lengthCodes = LengthCodes();
  std::vector<std::uint32_t> frequencies(kLiteralLengthSymbols, 0);
  for (std::size_t byte = 0; byte < 256; ++byte) {
    for (const auto& table : literalCounts) frequencies[byte] += table[byte];
  }
  for (int length = kMinimumRun; length <= kMaximumRun; ++length) {
    frequencies[lengthCodes[static_cast<std::size_t>(length)].Symbol] +=
        runCounts[static_cast<std::size_t>(length)];
  }
  // Room for the trees and every token at its longest: a 15-bit code, 5 extra bits and a
  // distance bit.
  Reserve(1024 + count * 3);
  WriteBlock(tokens, count, frequencies, last);
}

std::size_t FastDeflate::JoinedSize(std::span<const FastDeflate> parts) {
  std::uint64_t bits = 0;
  for (const FastDeflate& part : parts) bits += 8 * std::uint64_t{part.used_} + part.bitCount_;
  return 2 + static_cast<std::size_t>((bits + 7) / 8) + 4;
}

void FastDeflate::Join(std::span<const FastDeflate> parts, std::uint8_t* out) {
  *out++ = 0x78;  // deflate with a 32 KiB window
  *out++ = 0x01;  // fastest compression; 0x7801 is a multiple of 31 as zlib requires

  // The parts are bit strings: each starts where the one before ended, mid-byte or not. The
  // fewer than 8 bits not yet written wait in pending.
  std::uint64_t pending = 0;
  int pendingBits = 0;
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const FastDeflate& part : parts) {
    const std::uint8_t* bytes = part.stream_.get();
    const std::size_t whole = part.used_;
    std::size_t i = 0;
    if (pendingBits == 0) {
      if (whole != 0) std::memcpy(out, bytes, whole);
      i = whole;
    } else {
      for (; i + 8 <= whole; i += 8) {
        const std::uint64_t word = LoadLittleEndian64(bytes + i);
        StoreLittleEndian64(out + i, (word << pendingBits) | pending);
        pending = word >> (64 - pendingBits);
      }
    }
    for (; i < whole; ++i) {
      pending |= static_cast<std::uint64_t>(bytes[i]) << pendingBits;
      out[i] = static_cast<std::uint8_t>(pending);
      pending >>= 8;
    }
    out += whole;
    pending |= (part.bitBuffer_ & ((std::uint64_t{1} << part.bitCount_) - 1)) << pendingBits;
    pendingBits += part.bitCount_;
    while (pendingBits >= 8) {
      *out++ = static_cast<std::uint8_t>(pending);
      pending >>= 8;
      pendingBits -= 8;
    }
    // Adler-32 of a concatenation: the sums of the second part continue from the first's.
    const std::uint64_t length = part.inputSize_ % kAdlerModulus;
    const std::uint32_t partA = part.adlerA_;
    const std::uint32_t partB = part.adlerB_;
    b = static_cast<std::uint32_t>(
        (b + partB + length * ((a + kAdlerModulus - 1) % kAdlerModulus)) % kAdlerModulus);
    a = (a + partA + kAdlerModulus - 1) % kAdlerModulus;
  }
  if (pendingBits > 0) *out++ = static_cast<std::uint8_t>(pending);
  const std::uint32_t adler = (b << 16) | a;
  for (int shift = 24; shift >= 0; shift -= 8) *out++ = static_cast<std::uint8_t>(adler >> shift);
}

void FastDeflate::WriteBlock(const std::uint16_t* tokens, std::size_t tokenCount,
                             const std::vector<std::uint32_t>& frequencies, bool last) {
  const auto& lengthCodes = LengthCodes();
  std::vector<std::uint32_t> litFrequencies = frequencies;
  litFrequencies[kEndOfBlock] = 1;
  const std::vector<std::uint8_t> litLengths = CodeLengths(litFrequencies, kMaximumCodeLength);
  // Every match is at distance 1 (code 0); a second code of the same length keeps the distance
  // code complete.
  const std::vector<std::uint8_t> distLengths = {1, 1};
  const std::vector<std::uint16_t> litCodes = Codes(litLengths);

  PutBits(last ? 1u : 0u, 1);
  PutBits(2, 2);  // dynamic Huffman codes
  WriteTrees(litLengths, distLengths);

  // Every token's whole code, a run's length code with its extra bits and its distance code
  // included, with its bit count in the top byte: one look-up and one write per token.
  std::array<std::uint32_t, kTokenKinds> tokenCodes{};
  for (int literal = 0; literal < kEndOfBlock; ++literal) {
    tokenCodes[static_cast<std::size_t>(literal)] =
        litCodes[static_cast<std::size_t>(literal)] |
        static_cast<std::uint32_t>(litLengths[static_cast<std::size_t>(literal)]) << 24;
  }
  for (int run = kMinimumRun; run <= kMaximumRun; ++run) {
    const LengthCode& code = lengthCodes[static_cast<std::size_t>(run)];
    const std::uint32_t codeLength = litLengths[code.Symbol];
    // The distance code, a single 0 bit, lies above the extra bits.
    tokenCodes[static_cast<std::size_t>(kEndOfBlock + 1 + run - kMinimumRun)] =
        (litCodes[code.Symbol] | static_cast<std::uint32_t>(code.Extra) << codeLength) |
        (codeLength + code.ExtraBits + 1) << 24;
  }

  std::uint8_t* out = stream_.get() + used_;
  std::uint64_t buffer = bitBuffer_;
  unsigned held = static_cast<unsigned>(bitCount_);
  // Whole bytes leave the buffer after every two tokens: fewer than 8 bits stay, so two codes of
  // at most 21 bits always fit its 64. Eight bytes are written each time, past the end of what
  // is used; the room reserved for the trees covers them.
  const auto flush = [&] {
    StoreLittleEndian64(out, buffer);
    out += held >> 3;
    buffer >>= held & ~7u;
    held &= 7u;
  };
  flush();
  std::size_t i = 0;
  for (; i + 1 < tokenCount; i += 2) {
    const std::uint32_t first = tokenCodes[tokens[i]];
    buffer |= static_cast<std::uint64_t>(first & 0xFFFFFFu) << held;
    held += first >> 24;
    const std::uint32_t second = tokenCodes[tokens[i + 1]];
    buffer |= static_cast<std::uint64_t>(second & 0xFFFFFFu) << held;
    held += second >> 24;
    flush();
  }
  if (i < tokenCount) {
    const std::uint32_t code = tokenCodes[tokens[i]];
    buffer |= static_cast<std::uint64_t>(code & 0xFFFFFFu) << held;
    held += code >> 24;
    flush();
  }
  used_ = static_cast<std::size_t>(out - stream_.get());
  bitBuffer_ = buffer;
  bitCount_ = static_cast<int>(held);
  PutBits(litCodes[kEndOfBlock], litLengths[kEndOfBlock]);
}

void FastDeflate::WriteTrees(const std::vector<std::uint8_t>& litLengths,
                             const std::vector<std::uint8_t>& distLengths) {
  std::size_t litCount = litLengths.size();
  while (litCount > 257 && litLengths[litCount - 1] == 0) --litCount;
  // The code lengths are sent one by one (symbols 0 to 15) with a code of their own.
  std::vector<std::uint32_t> clFrequencies(19, 0);
  for (std::size_t s = 0; s < litCount; ++s) ++clFrequencies[litLengths[s]];
  for (std::uint8_t length : distLengths) ++clFrequencies[length];
  const std::vector<std::uint8_t> clLengths =
      CodeLengths(clFrequencies, kMaximumCodeLengthCodeLength);
  const std::vector<std::uint16_t> clCodes = Codes(clLengths);
  std::size_t clCount = 19;
  while (clCount > 4 && clLengths[static_cast<std::size_t>(kCodeLengthOrder[clCount - 1])] == 0) {
    --clCount;
  }

  PutBits(static_cast<std::uint32_t>(litCount - 257), 5);
  PutBits(static_cast<std::uint32_t>(distLengths.size() - 1), 5);
  PutBits(static_cast<std::uint32_t>(clCount - 4), 4);
  for (std::size_t i = 0; i < clCount; ++i) {
    PutBits(clLengths[static_cast<std::size_t>(kCodeLengthOrder[i])], 3);
  }
  for (std::size_t s = 0; s < litCount; ++s) {
    PutBits(clCodes[litLengths[s]], clLengths[litLengths[s]]);
  }
  for (std::uint8_t length : distLengths) PutBits(clCodes[length], clLengths[length]);
}
