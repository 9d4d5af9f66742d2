#include "toolkit/PLBlock.h"

#include "toolkit/PLTextException.h"

PLBlock PLBlock::Zeroed(std::size_t bytes) {
  PLBlock block;
  block.block_ = ZeroedBlock::Allocate(bytes);
  if (!block.block_) throw PLTextException(PL_ERRNO_MEMORY, "Out of memory creating bitmap.");
  return block;
}
