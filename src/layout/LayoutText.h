#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

// The pieces of the layout file's text form shared by the layout and font readers and writers:
// tokens, numbers, the version and the written form of text values.

// No value of a layout is anywhere near this long; the cap keeps a hostile file from making the
// reader hold a line of any length in memory.
inline constexpr std::size_t MaxTokenLength = 64 * 1024;

// What ReadToken does with a token longer than its limit: read past the rest of it, so that the
// next token is read in step, or stop at once with one character more than the limit stored.
enum class LongToken { ReadPast, Stop };

// Reads one token of comma- and line-separated text into text and returns whether it ended a
// line (or the stream). Leading spaces and tabs are skipped; when nothing follows them, text is
// left unchanged. Double quotes switch quoting on and off and a doubled one stands for itself;
// inside quotes commas and line ends are kept. The bytes C2 B8 stand for a comma.
bool ReadToken(std::istream& stream, std::string& text, std::size_t limit = MaxTokenLength,
               LongToken longToken = LongToken::ReadPast);

// Numbers of the layout file: an empty token is 0, "(n)" is -n, otherwise the decimal number at
// the start of the token. Nothing when the token does not begin with a number, in which case the
// reader leaves the field as it was.
std::optional<std::uint32_t> ParseUnsigned(std::string_view token);
std::optional<std::int32_t> ParseSigned(std::string_view token);
std::optional<double> ParseDouble(std::string_view token);

// A version as the layout file writes it: at most six significant digits, like printf's %g, but
// with a point whatever the locale.
std::string FormatVersion(double version);

// A text value as the layout file writes it: unchanged, unless reading it back would change it,
// in which case it is put between double quotes with every inner double quote doubled.
std::string QuoteText(std::string_view value);
