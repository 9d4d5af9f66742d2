#include "app/FastDeflate.h"

#include <algorithm>
#include <array>
#include <functional>
#include <queue>

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
  std::vector<std::uint8_t> lengths(count, 0);
  while (true) {
    // Nodes 0..count-1 are the symbols, later ones the merged pairs.
    std::vector<std::uint64_t> weight(frequencies.begin(), frequencies.end());
    std::vector<int> parent(count, -1);
    using Entry = std::pair<std::uint64_t, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    for (std::size_t s = 0; s < count; ++s) {
      if (frequencies[s] != 0) queue.push({frequencies[s], static_cast<int>(s)});
    }
    while (queue.size() > 1) {
      const Entry a = queue.top();
      queue.pop();
      const Entry b = queue.top();
      queue.pop();
      const int node = static_cast<int>(weight.size());
      weight.push_back(a.first + b.first);
      parent.push_back(-1);
      parent[static_cast<std::size_t>(a.second)] = node;
      parent[static_cast<std::size_t>(b.second)] = node;
      queue.push({a.first + b.first, node});
    }
    int longest = 0;
    for (std::size_t s = 0; s < count; ++s) {
      if (frequencies[s] == 0) continue;
      int depth = 0;
      for (int n = parent[s]; n != -1; n = parent[static_cast<std::size_t>(n)]) ++depth;
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
    const std::size_t end = std::min(size, start + kAdlerStride);
    std::uint32_t a = adlerA_;
    std::uint32_t b = adlerB_;
    for (std::size_t i = start; i < end; ++i) {
      a += data[i];
      b += a;
    }
    adlerA_ = a % kAdlerModulus;
    adlerB_ = b % kAdlerModulus;
  }
}

void FastDeflate::AddBlock(const std::uint8_t* data, std::size_t size, bool last) {
  UpdateAdler(data, size);
  const auto& lengthCodes = LengthCodes();
  std::vector<std::uint32_t> frequencies(kLiteralLengthSymbols, 0);
  if (tokens_.size() < size + 1) tokens_.resize(size + 1);
  std::uint16_t* tokens = tokens_.data();
  std::size_t count = 0;
  for (std::size_t i = 0; i < size;) {
    const std::uint8_t byte = data[i];
    tokens[count++] = byte;
    ++frequencies[byte];
    std::size_t run = 0;
    const std::size_t limit = std::min<std::size_t>(kMaximumRun, size - i - 1);
    while (run < limit && data[i + 1 + run] == byte) ++run;
    if (run >= kMinimumRun) {
      tokens[count++] = static_cast<std::uint16_t>(kEndOfBlock + 1 + run - kMinimumRun);
      ++frequencies[lengthCodes[run].Symbol];
      i += 1 + run;
    } else {
      ++i;
    }
  }
  // Room for the trees and every token at its longest: a 15-bit code, 5 extra bits and a
  // distance bit.
  Reserve(1024 + count * 3);
  WriteBlock(count, frequencies, last);
}

std::vector<std::uint8_t> FastDeflate::Join(std::span<FastDeflate> parts) {
  std::size_t total = 6;
  for (const FastDeflate& part : parts) total += part.used_ + 8;
  std::vector<std::uint8_t> stream;
  stream.reserve(total);
  stream.push_back(0x78);  // deflate with a 32 KiB window
  stream.push_back(0x01);  // fastest compression; 0x7801 is a multiple of 31 as zlib requires

  // The parts are bit strings: each starts where the one before ended, mid-byte or not.
  std::uint64_t pending = 0;
  int pendingBits = 0;
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (FastDeflate& part : parts) {
    const std::uint8_t* bytes = part.stream_.get();
    const std::size_t whole = part.used_;
    for (std::size_t i = 0; i < whole; ++i) {
      pending |= static_cast<std::uint64_t>(bytes[i]) << pendingBits;
      stream.push_back(static_cast<std::uint8_t>(pending));
      pending >>= 8;
    }
    pending |= (part.bitBuffer_ & ((std::uint64_t{1} << part.bitCount_) - 1)) << pendingBits;
    pendingBits += part.bitCount_;
    while (pendingBits >= 8) {
      stream.push_back(static_cast<std::uint8_t>(pending));
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
  if (pendingBits > 0) stream.push_back(static_cast<std::uint8_t>(pending));
  const std::uint32_t adler = (b << 16) | a;
  for (int shift = 24; shift >= 0; shift -= 8)
    stream.push_back(static_cast<std::uint8_t>(adler >> shift));
  return stream;
}

void FastDeflate::WriteBlock(std::size_t tokenCount, const std::vector<std::uint32_t>& frequencies,
                             bool last) {
  const auto& lengthCodes = LengthCodes();
  const std::uint16_t* tokens = tokens_.data();
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
  for (std::size_t i = 0; i < tokenCount; ++i) {
    const std::uint16_t token = tokens[i];
    if (token < kEndOfBlock) {
      PutBits(litCodes[token], litLengths[token]);
      continue;
    }
    const LengthCode& code = lengthCodes[token - kEndOfBlock - 1 + kMinimumRun];
    PutBits(litCodes[code.Symbol], litLengths[code.Symbol]);
    PutBits(code.Extra, code.ExtraBits);
    PutBits(0, 1);  // distance code 0: distance 1
  }
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
