#pragma once

#include <string>

// How reading a layout file ended. A refusal carries what the user is told, without the file's
// path, which the caller adds in its own words: the system's reason for a file that cannot be
// opened or read, a plain sentence for a file that is not a layout file, and the whole
// explanation for a file from a later version. It converts to true when the file was read.
struct LayoutReadResult {
  enum class Outcome { Read, CannotOpen, CannotRead, NotALayout, LaterVersion };

  Outcome What = Outcome::Read;
  std::string Message;

  explicit operator bool() const { return What == Outcome::Read; }
};
