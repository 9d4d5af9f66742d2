#pragma once

#include <cstdint>
#include <string>

class PLTextException;

// The outcome of a picture operation as the application keeps it: the text shown to the user,
// a class that tells callers how to react (retry, give up, report) and the toolkit's code. An
// empty text with class 0 and code 0 means success.
struct ImageError {
  enum Class : std::int32_t {
    ImageOk = 0,
    ImageUnreadable = 5,   // the file exists but could not be turned into a picture
    ImageUnknownType = 6,  // the file type is not recognised
    ImageMissing = 7,      // the path or the file does not exist
    ImageBadExif = 8,      // the Exif data is malformed
    // The picture is refused for its size: trying again, or freeing memory, would not help.
    ImageTooLarge = 9,
  };

  // The user's text and the class for a toolkit failure: the text of the code, ": " and the
  // toolkit's message, with every line feed taken out so that the text fits one line of a box.
  static ImageError FromToolkit(const PLTextException& exception);

  bool Failed() const { return Class != ImageOk; }
  friend bool operator==(const ImageError&, const ImageError&) = default;

  std::string Text;
  std::int32_t Class = ImageOk;
  std::int32_t Code = 0;
};
