#include "platform/ZeroedBlock.h"

#include <cstdlib>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/mman.h>
#endif

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The size of a huge page on the machines the program runs on; blocks from this size on ask
// for huge pages.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Blocks from this size on are mapped straight from the system. A picture of a class or a
// school (a portrait of 640 x 800 pixels, a photograph decoded at an eighth) is a megabyte or
// two, just below a huge page.
constexpr std::size_t kMappedFrom = std::size_t{256} << 10;

// The length to map for a block. The system lines a mapping up with huge pages only when its
// length is a whole number of them, so the length is rounded up to one when that adds at most a
// quarter: all of the block then has huge pages, and the part past its end that is never
// touched costs address space but no memory. A larger addition would cost too much of a limit
// on address space (a block just over 4 MiB would take 6), and that block is mapped as it is.
std::size_t MappedLength(std::size_t bytes) {
  const std::size_t rounded = (bytes / kHugePage + (bytes % kHugePage != 0)) * kHugePage;
  return rounded - bytes <= bytes / 4 ? rounded : bytes;
}

}  // namespace

ZeroedBlock ZeroedBlock::Allocate(std::size_t bytes) {
  ZeroedBlock block;
#if defined(MAP_ANONYMOUS)
  if (!kSanitized && bytes >= kMappedFrom && bytes <= SIZE_MAX - kHugePage) {
    const std::size_t length = bytes >= kHugePage ? MappedLength(bytes) : bytes;
    void* mapped =
        mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return block;
#if defined(MADV_HUGEPAGE)
    if (bytes >= kHugePage) madvise(mapped, length, MADV_HUGEPAGE);
#endif
#if defined(MADV_POPULATE_WRITE)
    // Every pixel of a block is written once it is made, so its pages are made at once, in one
    // call, rather than by one fault each on the first write (the rounding past its end stays
    // untouched). On a virtual machine a fault can cost several microseconds: for the 30
    // photographs of a class, a tenth of the processor time of a whole render. A system without
    // the call leaves the pages to the faults.
    madvise(mapped, bytes, MADV_POPULATE_WRITE);
#endif
    block.data_ = static_cast<std::uint8_t*>(mapped);
    block.size_ = bytes;
    block.mappedSize_ = length;
    return block;
  }
#endif
  block.data_ = static_cast<std::uint8_t*>(std::calloc(bytes == 0 ? 1 : bytes, 1));
  if (block.data_ != nullptr) block.size_ = bytes;
  return block;
}

ZeroedBlock::ZeroedBlock(ZeroedBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mappedSize_(std::exchange(other.mappedSize_, 0)) {}

ZeroedBlock& ZeroedBlock::operator=(ZeroedBlock&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mappedSize_ = std::exchange(other.mappedSize_, 0);
  }
  return *this;
}

ZeroedBlock::~ZeroedBlock() { Release(); }

void ZeroedBlock::Release() noexcept {
  if (data_ == nullptr) return;
#if defined(MAP_ANONYMOUS)
  if (mappedSize_ != 0) {
    munmap(data_, mappedSize_);
  } else {
    std::free(data_);
  }
#else
  std::free(data_);
#endif
  data_ = nullptr;
  size_ = 0;
  mappedSize_ = 0;
}
