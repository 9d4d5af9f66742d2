#include "images/ImageError.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "toolkit/PLTextException.h"

namespace {

struct CodeText {
  int code;
  std::string_view text;
  std::int32_t errorClass;
};

// The texts are the ones users of the program have always seen; keep them as they are written.
constexpr std::array<CodeText, 10> kCodeTexts{{
    {PL_ERRWRONG_SIGNATURE, "Expected file signature not found", ImageError::ImageUnreadable},
    {PL_ERRUNEXPECTED_DATA, "Unexpected data encountered", ImageError::ImageUnreadable},
    {PL_ERRPATH_NOT_FOUND, "Path not Found", ImageError::ImageMissing},
    {PL_ERRFILE_NOT_FOUND, "File not found", ImageError::ImageMissing},
    {PL_ERRACCESS_DENIED, "Access denied", ImageError::ImageUnreadable},
    {PL_ERRUNKNOWN_FILE_TYPE, "Unrecognized file type", ImageError::ImageUnknownType},
    {PL_ERRTOO_LARGE, "Maximum size for 1 bmp was exceeded", ImageError::ImageTooLarge},
    {PL_ERRNO_MEMORY, "Out of memory!!", ImageError::ImageUnreadable},
    {PL_ERREND_OF_FILE, "End of file reached before end of image", ImageError::ImageUnreadable},
    {PL_ERRBAD_EXIF, "Bad EXIF data", ImageError::ImageBadExif},
}};

constexpr CodeText kUnexpected{0, "Unexpected Error", ImageError::ImageUnreadable};

}  // namespace

ImageError ImageError::FromToolkit(const PLTextException& exception) {
  const auto* found = std::find_if(kCodeTexts.begin(), kCodeTexts.end(), [&](const CodeText& row) {
    return row.code == exception.Code();
  });
  const CodeText& row = found != kCodeTexts.end() ? *found : kUnexpected;
  ImageError error;
  error.Text = std::string(row.text) + ": " + exception.Message();
  std::erase(error.Text, '\n');
  error.Class = row.errorClass;
  error.Code = exception.Code();
  return error;
}
