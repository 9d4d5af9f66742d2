#include "toolkit/PLBlock.h"

#include <cstdlib>
#include <utility>

#include "toolkit/PLTextException.h"

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

// Pictures of a few megabytes and more are mapped straight from the system, which hands out
// zeroed pages; where huge pages can be asked for, filling such a block faults a few hundred
// times instead of once per 4 KiB page, which makes the first write of a 12-megapixel copy
// several times faster. Under AddressSanitizer every block comes from the allocator so that
// overruns are still caught.
constexpr std::size_t kMapThreshold = std::size_t{4} << 20;

const char kCreateFailed[] = "Out of memory creating bitmap.";

}  // namespace

PLBlock PLBlock::Zeroed(std::size_t bytes) {
  PLBlock block;
  block.size_ = bytes;
#if defined(MAP_ANONYMOUS)
  if (!kSanitized && bytes >= kMapThreshold) {
    void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw PLTextException(PL_ERRNO_MEMORY, kCreateFailed);
#if defined(MADV_HUGEPAGE)
    madvise(mapped, bytes, MADV_HUGEPAGE);
#endif
    block.data_ = static_cast<std::uint8_t*>(mapped);
    block.mapped_ = true;
    return block;
  }
#endif
  block.data_ = static_cast<std::uint8_t*>(std::calloc(bytes == 0 ? 1 : bytes, 1));
  if (block.data_ == nullptr) throw PLTextException(PL_ERRNO_MEMORY, kCreateFailed);
  return block;
}

PLBlock::PLBlock(PLBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, false)) {}

PLBlock& PLBlock::operator=(PLBlock&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mapped_ = std::exchange(other.mapped_, false);
  }
  return *this;
}

PLBlock::~PLBlock() { Release(); }

void PLBlock::Release() noexcept {
  if (data_ == nullptr) return;
#if defined(MAP_ANONYMOUS)
  if (mapped_) {
    munmap(data_, size_);
    data_ = nullptr;
    return;
  }
#endif
  std::free(data_);
  data_ = nullptr;
}
