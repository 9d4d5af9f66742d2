#include "layout/LayoutText.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <limits>
#include <streambuf>

namespace {

using Traits = std::char_traits<char>;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The sign and size of the decimal integer at the start of a text, as the C library's
// conversions take it (leading white space, an optional sign, then digits). The magnitude stops
// growing once it is past every 32-bit value, so that any number of digits is harmless.
struct LeadingInteger {
  bool negative = false;
  std::uint64_t magnitude = 0;
};

std::optional<LeadingInteger> ReadLeadingInteger(std::string_view text) {
  constexpr std::uint64_t kCeiling = std::uint64_t{1} << 40;
  std::size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  LeadingInteger result;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) result.negative = text[at++] == '-';
  if (at == text.size() || !IsDigit(text[at])) return std::nullopt;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    result.magnitude = result.magnitude * 10 + static_cast<unsigned>(text[at] - '0');
    if (result.magnitude > kCeiling) result.magnitude = kCeiling;
  }
  return result;
}

std::optional<std::uint32_t> ReadUnsigned(std::string_view text) {
  const auto number = ReadLeadingInteger(text);
  if (!number) return std::nullopt;
  // Out of range gives the largest value whatever the sign, and a negative number wraps, as the
  // 32-bit strtoul of the program that first wrote these files does.
  if (number->magnitude > std::numeric_limits<std::uint32_t>::max()) {
    return std::numeric_limits<std::uint32_t>::max();
  }
  const auto magnitude = static_cast<std::uint32_t>(number->magnitude);
  return number->negative ? 0u - magnitude : magnitude;
}

std::optional<std::int32_t> ReadSigned(std::string_view text) {
  const auto number = ReadLeadingInteger(text);
  if (!number) return std::nullopt;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  const auto magnitude = static_cast<std::int64_t>(number->magnitude);
  if (number->negative)
    return static_cast<std::int32_t>(magnitude > kMax + 1 ? -kMax - 1 : -magnitude);
  return static_cast<std::int32_t>(magnitude > kMax ? kMax : magnitude);
}

std::optional<double> ReadDouble(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  const std::size_t start = at;
  std::size_t digits = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) ++digits;
  if (at < text.size() && text[at] == '.') {
    for (++at; at < text.size() && IsDigit(text[at]); ++at) ++digits;
  }
  if (digits == 0) return std::nullopt;
  bool tinyExponent = false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponent = at + 1;
    const bool exponentNegative = exponent < text.size() && text[exponent] == '-';
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (exponent < text.size() && IsDigit(text[exponent])) {
      while (exponent < text.size() && IsDigit(text[exponent])) ++exponent;
      at = exponent;
      tinyExponent = exponentNegative;
    }
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + at, value);
  if (error == std::errc::result_out_of_range) {
    value = tinyExponent ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (error != std::errc() || end != text.data() + at) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

// The number rules common to every kind: the empty token, then the parenthesised negative form,
// then the plain number.
template <typename Number, typename Read, typename Negate>
std::optional<Number> ParseNumber(std::string_view token, Read read, Negate negate) {
  if (token.empty()) return Number{};
  if (token.front() != '(') return read(token);
  std::string_view inner = token.substr(1);
  const std::size_t close = inner.find(')');
  if (close == std::string_view::npos) return read(inner);
  const auto value = read(inner.substr(0, close));
  if (!value) return std::nullopt;
  return negate(*value);
}

}  // namespace

bool ReadToken(std::istream& stream, std::string& text, std::size_t limit, LongToken longToken) {
  std::streambuf* buffer = stream.good() ? stream.rdbuf() : nullptr;
  if (buffer == nullptr) return true;
  const auto eof = Traits::eof();
  const auto is = [](Traits::int_type c, unsigned char wanted) {
    return c == Traits::to_int_type(static_cast<char>(wanted));
  };
  const auto endOfStream = [&] {
    stream.setstate(std::ios::eofbit);
    return true;
  };

  auto c = buffer->sgetc();
  while (is(c, ' ') || is(c, '\t')) c = buffer->snextc();
  if (c == eof) return endOfStream();
  bool quoted = false;
  if (is(c, '"')) {
    buffer->sbumpc();
    quoted = true;
  }
  text.clear();
  const auto store = [&](char stored) {
    if (text.size() < limit || longToken == LongToken::Stop) text.push_back(stored);
  };
  for (;;) {
    if (longToken == LongToken::Stop && text.size() > limit) return false;
    const auto next = buffer->sbumpc();
    if (next == eof) return endOfStream();
    const char ch = Traits::to_char_type(next);
    if (!quoted && ch == ',') return false;
    if (!quoted && ch == '\n') return true;
    if (!quoted && ch == '\r') {
      // CR LF, CR CR LF and a bare CR all end one line.
      if (is(buffer->sgetc(), '\r')) buffer->sbumpc();
      if (is(buffer->sgetc(), '\n')) buffer->sbumpc();
      return true;
    }
    if (ch == '"') {
      if (is(buffer->sgetc(), '"')) {
        buffer->sbumpc();
        store('"');
      } else {
        quoted = !quoted;
      }
    } else if (ch == '\xC2' && is(buffer->sgetc(), 0xB8)) {
      buffer->sbumpc();
      store(',');
    } else if (ch == '\r') {
      store('\r');
      if (is(buffer->sgetc(), '\n')) buffer->sbumpc();
    } else {
      store(ch);
    }
  }
}

std::optional<std::uint32_t> ParseUnsigned(std::string_view token) {
  return ParseNumber<std::uint32_t>(token, ReadUnsigned,
                                    [](std::uint32_t value) { return 0u - value; });
}

std::optional<std::int32_t> ParseSigned(std::string_view token) {
  // Negation wraps in 32 bits, so that the parenthesised smallest number stays itself.
  return ParseNumber<std::int32_t>(token, ReadSigned, [](std::int32_t value) {
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value));
  });
}

std::optional<double> ParseDouble(std::string_view token) {
  return ParseNumber<double>(token, ReadDouble, [](double value) { return -value; });
}

std::string FormatVersion(double version) {
  char text[64];
  const auto result =
      std::to_chars(text, text + sizeof text, version, std::chars_format::general, 6);
  return std::string(text, result.ptr);
}

std::string QuoteText(std::string_view value) {
  // Leading blanks would be skipped and these characters would split or alter the value.
  const bool plain = value.find_first_of(",\r\n\"") == std::string_view::npos &&
                     (value.empty() || (value.front() != ' ' && value.front() != '\t'));
  if (plain) return std::string(value);
  std::string quoted = "\"";
  for (char c : value) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}
