#include "toolkit/PLExifEntry.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "toolkit/PLExifTagTable.h"

namespace {

// Longer value texts are cut: nobody reads them whole, and a segment full of long strings must
// not multiply into many megabytes of text.
constexpr std::size_t kMaxTextLength = 256;
// Only the first components of a value are shown; the last of them decides the number.
constexpr std::uint32_t kMaxComponents = 16;

std::string HexBytes(const std::uint8_t* p, int n) {
  std::string text;
  char digits[3];
  for (int i = 0; i < n; ++i) {
    std::snprintf(digits, sizeof digits, "%02x", p[i]);
    text += digits;
  }
  return text;
}

// A value of 2^31 or more cannot be held; saturate instead of overflowing.
std::int32_t ClampToInt32(double value) {
  if (!(value > std::numeric_limits<std::int32_t>::min())) {
    return std::isnan(value) ? 0 : std::numeric_limits<std::int32_t>::min();
  }
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::uint16_t PLExifEntry::Read16(const std::uint8_t* p, bool bigEndian) {
  return bigEndian ? static_cast<std::uint16_t>(p[0] << 8 | p[1])
                   : static_cast<std::uint16_t>(p[1] << 8 | p[0]);
}

std::uint32_t PLExifEntry::Read32(const std::uint8_t* p, bool bigEndian) {
  if (bigEndian) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
  }
  return std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

std::string PLExifEntry::KeyOf(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

int PLExifEntry::ComponentSize(unsigned format) {
  switch (format) {
    case Byte:
    case Ascii:
    case SignedByte:
    case Undefined:
      return 1;
    case Short:
    case SignedShort:
      return 2;
    case Long:
    case SignedLong:
    case Float:
      return 4;
    case Rational:
    case SignedRational:
    case Double:
      return 8;
    default:
      return 0;
  }
}

PLExifEntry::PLExifEntry(std::uint16_t tag, std::uint16_t format, std::uint32_t count,
                         std::uint32_t valueOffset, const std::string& prefix, const PLExifTag* row)
    : tag_(tag), format_(format), count_(count), valueOffset_(valueOffset), row_(row) {
  if (row) {
    name_ = prefix + row->shortName;
  } else {
    char hex[5];
    std::snprintf(hex, sizeof hex, "%04x", tag);
    name_ = prefix + hex;
  }
  key_ = KeyOf(name_);
}

const char* PLExifEntry::Description() const { return row_ ? row_->description : ""; }

void PLExifEntry::ReadValue(const std::uint8_t* bytes, bool bigEndian) {
  if (format_ == Ascii) {
    const auto* end = std::find(bytes, bytes + count_, std::uint8_t{0});
    valueText_.assign(bytes, end);
    if (valueText_.size() > kMaxTextLength) valueText_.resize(kMaxTextLength);
  } else {
    const int size = ComponentSize(format_);
    const std::uint32_t shown = std::min(count_, kMaxComponents);
    for (std::uint32_t i = 0; i < shown; ++i) {
      if (i > 0) valueText_ += ' ';
      AppendComponent(bytes + std::size_t{i} * size, bigEndian);
    }
    if (count_ > kMaxComponents) valueText_ += " ...";
  }
  if (denominator_ != 0) {
    // Single precision first: the value is defined as the quotient of two floats.
    numericValue_ = static_cast<float>(numerator_) / static_cast<float>(denominator_);
    roundedValue_ = ClampToInt32(std::trunc(numericValue_ + 0.5));
  }
  while (!valueText_.empty() && valueText_.back() == ' ') valueText_.pop_back();
}

void PLExifEntry::AppendComponent(const std::uint8_t* p, bool bigEndian) {
  switch (format_) {
    case Byte:
      numerator_ = p[0];
      valueText_ += std::to_string(p[0]);
      break;
    case SignedByte:
      numerator_ = static_cast<std::int8_t>(p[0]);
      valueText_ += std::to_string(numerator_);
      break;
    case Short:
      numerator_ = Read16(p, bigEndian);
      valueText_ += std::to_string(numerator_);
      break;
    case SignedShort:
      numerator_ = static_cast<std::int16_t>(Read16(p, bigEndian));
      valueText_ += std::to_string(numerator_);
      break;
    case Long:
      numerator_ = static_cast<std::int32_t>(Read32(p, bigEndian));
      valueText_ += std::to_string(Read32(p, bigEndian));
      break;
    case SignedLong:
      numerator_ = static_cast<std::int32_t>(Read32(p, bigEndian));
      valueText_ += std::to_string(numerator_);
      break;
    case Rational:
      numerator_ = static_cast<std::int32_t>(Read32(p, bigEndian));
      denominator_ = static_cast<std::int32_t>(Read32(p + 4, bigEndian));
      valueText_ +=
          std::to_string(Read32(p, bigEndian)) + '/' + std::to_string(Read32(p + 4, bigEndian));
      break;
    case SignedRational:
      numerator_ = static_cast<std::int32_t>(Read32(p, bigEndian));
      denominator_ = static_cast<std::int32_t>(Read32(p + 4, bigEndian));
      valueText_ += std::to_string(numerator_) + '/' + std::to_string(denominator_);
      break;
    default: {
      // Undefined bytes, floats and doubles are kept as raw bytes in the file's order.
      const int size = ComponentSize(format_);
      numerator_ = p[size - 1];
      valueText_ += HexBytes(p, size);
      break;
    }
  }
}
