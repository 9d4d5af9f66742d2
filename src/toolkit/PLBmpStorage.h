#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Size arithmetic and allocation shared by the bitmap kinds. Every size is computed in 64 bits
// and checked before anything is allocated, so that absurd or hostile dimensions fail with the
// toolkit's out-of-memory error instead of wrapping around into a small block.

// The depths that CopyFrom can convert between.
bool PLIsSupportedDepth(int bpp);

// Palette entries of a depth: 2^bpp up to 8 bits, none above.
int PLPaletteEntries(int bpp);

// Bytes of one row without padding; a partly used last byte of a 1-bit row counts.
std::int64_t PLPackedBytesPerLine(int width, int bpp);

// Bytes of one row padded to a multiple of 4, as device-independent bitmaps store them.
std::int64_t PLAlignedBytesPerLine(int width, int bpp);

// Checks a bitmap's description and returns the bytes of a block holding headerBytes followed
// by height rows of bytesPerLine bytes. Raises code 10 for unsupported depths, negative sizes
// and sizes beyond what one bitmap may occupy.
std::size_t PLCheckedBlockSize(int width, int height, int bpp, std::int64_t bytesPerLine,
                               std::size_t headerBytes);

// A row table of height entries; raises code 10 when it cannot be had.
std::vector<std::uint8_t*> PLAllocateRowTable(int height);
