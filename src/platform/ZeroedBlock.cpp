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

// The size of a huge page on the machines the program runs on. Blocks from this size on are
// mapped, in whole multiples of it: the system lines such mappings up with huge pages, so all of
// the block can have them, and the part past the end that is never touched costs nothing.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

ZeroedBlock ZeroedBlock::Allocate(std::size_t bytes) {
  ZeroedBlock block;
#if defined(MAP_ANONYMOUS)
  if (!kSanitized && bytes >= kHugePage && bytes <= SIZE_MAX - kHugePage) {
    const std::size_t length = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* mapped =
        mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return block;
#if defined(MADV_HUGEPAGE)
    madvise(mapped, length, MADV_HUGEPAGE);
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
