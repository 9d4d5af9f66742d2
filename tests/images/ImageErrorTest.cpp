#include "images/ImageError.h"

#include <gtest/gtest.h>

#include "toolkit/PLTextException.h"

namespace {

TEST(ImageError, EveryToolkitCodeHasItsTextAndClass) {
  const struct {
    int code;
    const char* text;
    std::int32_t errorClass;
  } rows[] = {
      {1, "Expected file signature not found", ImageError::ImageUnreadable},
      {2, "Unexpected data encountered", ImageError::ImageUnreadable},
      {3, "Path not Found", ImageError::ImageMissing},
      {4, "File not found", ImageError::ImageMissing},
      {5, "Access denied", ImageError::ImageUnreadable},
      {6, "Unexpected Error", ImageError::ImageUnreadable},
      {8, "Unrecognized file type", ImageError::ImageUnknownType},
      {9, "Maximum size for 1 bmp was exceeded", ImageError::ImageTooLarge},
      {10, "Out of memory!!", ImageError::ImageUnreadable},
      {11, "End of file reached before end of image", ImageError::ImageUnreadable},
      {14, "Bad EXIF data", ImageError::ImageBadExif},
      {0, "Unexpected Error", ImageError::ImageUnreadable},
      {-3, "Unexpected Error", ImageError::ImageUnreadable},
  };
  for (const auto& row : rows) {
    const ImageError error = ImageError::FromToolkit(PLTextException(row.code, "why"));
    EXPECT_EQ(error, (ImageError{std::string(row.text) + ": why", row.errorClass, row.code}))
        << row.code;
    EXPECT_TRUE(error.Failed());
  }
  EXPECT_FALSE(ImageError{}.Failed());
}

TEST(ImageError, LineFeedsAreTakenOutOfTheText) {
  const ImageError error =
      ImageError::FromToolkit(PLTextException(6, "Decoder error: two\nlines\n"));
  EXPECT_EQ(error.Text, "Unexpected Error: Decoder error: twolines");
}

}  // namespace
