#pragma once

#include <cstdint>

// The changed-field marks of a record: tag n is bit n mod 32 of the low word for n below 32 and
// of the high word for 32 to 63, as the record store keeps them.
class ModifiedMask {
 public:
  void Set(unsigned tag) { Word(tag) |= Bit(tag); }
  void Clear(unsigned tag) { Word(tag) &= ~Bit(tag); }
  bool IsSet(unsigned tag) const { return (tag < 32 ? low_ : high_) & Bit(tag); }
  void ClearAll() { low_ = high_ = 0; }
  void SetRange(unsigned first, unsigned last) {
    for (unsigned tag = first; tag <= last; ++tag) Set(tag);
  }
  bool Empty() const { return low_ == 0 && high_ == 0; }
  std::uint32_t Low() const { return low_; }
  std::uint32_t High() const { return high_; }

 private:
  static std::uint32_t Bit(unsigned tag) { return std::uint32_t{1} << (tag % 32); }
  std::uint32_t& Word(unsigned tag) { return tag < 32 ? low_ : high_; }

  std::uint32_t low_ = 0;
  std::uint32_t high_ = 0;
};
