#include "toolkit/PLMemSource.h"

int PLMemSource::Open(const std::uint8_t* data, std::size_t size) {
  // An empty block still counts as open, so that the decoder reports the missing image itself.
  static const std::uint8_t kNothing = 0;
  Begin("Mem", data ? data : &kNothing, data ? size : 0);
  return 0;
}
