#include "roster/TextDecoding.h"

#include "roster/Utf8.h"
#include "roster/Windows1252.h"

namespace {

bool IsRefusedControl(unsigned char c) {
  return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
}

}  // namespace

DecodedText DecodeListText(std::string_view bytes) {
  DecodedText decoded;
  const std::string_view text = WithoutUtf8ByteOrderMark(bytes);
  const bool marked = text.size() != bytes.size();
  const std::size_t skipped = bytes.size() - text.size();
  std::string_view body = text;
  if (!body.empty() && body.back() == '\x1A') body.remove_suffix(1);
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (IsRefusedControl(static_cast<unsigned char>(body[i]))) {
      decoded.Refusal = body[i] == '\0' ? "the file holds binary data (a zero byte), not text"
                                        : "the file holds binary data (a control character), "
                                          "not text";
      decoded.RefusedAt = skipped + i;
      return decoded;
    }
  }
  const std::size_t invalid = FirstInvalidUtf8(body);
  if (invalid == std::string_view::npos) {
    decoded.Text = std::string(body);
  } else if (marked) {
    decoded.Refusal = "the file starts as UTF-8 but this line is not UTF-8";
    decoded.RefusedAt = skipped + invalid;
  } else {
    decoded.Text = Windows1252ToUtf8(body);
    decoded.Windows1252 = true;
  }
  return decoded;
}
