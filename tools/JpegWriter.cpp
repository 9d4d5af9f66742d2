#include "JpegWriter.h"

#include <QImage>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return; it jumps back to
// the one function that set the jump point, carrying the library's message.
struct ErrorManager {
  jpeg_error_mgr library;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ExitOnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

}  // namespace

JpegWriter::JpegWriter(int quality, bool fullColour, int dotsPerInch)
    : quality_(quality), fullColour_(fullColour), dotsPerInch_(dotsPerInch) {}

bool JpegWriter::Write(const QImage& picture, const std::string& path, std::string& error) const {
  const std::string temporary = path + ".partial";
  if (!Compress(picture, temporary, error)) {
    std::remove(temporary.c_str());
    return false;
  }
  std::error_code failure;
  std::filesystem::rename(temporary, path, failure);
  if (failure) {
    error = "Cannot write " + path + ": " + failure.message();
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool JpegWriter::Compress(const QImage& picture, const std::string& path,
                          std::string& error) const {
  // Blue, green, red and a spare byte per pixel, which is how RGB32 lies in memory on a
  // little-endian machine and what libjpeg-turbo reads as JCS_EXT_BGRX.
  const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
  if (pixels.isNull()) {
    error = "Cannot write " + path + ": the picture is empty";
    return false;
  }

  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "Cannot write " + path + ": " + std::strerror(errno);
    return false;
  }

  jpeg_compress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.library);
  errors.library.error_exit = ExitOnError;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_compress(&info);
    std::fclose(file);
    error = "Cannot write " + path + ": " + errors.message;
    return false;
  }

  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(pixels.width());
  info.image_height = static_cast<JDIMENSION>(pixels.height());
  info.input_components = 4;
  info.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality_, TRUE);
  info.write_JFIF_header = TRUE;
  info.density_unit = 1;  // dots per inch
  info.X_density = static_cast<UINT16>(dotsPerInch_);
  info.Y_density = static_cast<UINT16>(dotsPerInch_);
  if (fullColour_) {
    for (int component = 0; component < info.num_components; ++component) {
      info.comp_info[component].h_samp_factor = 1;
      info.comp_info[component].v_samp_factor = 1;
    }
  }

  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    // libjpeg takes rows as non-const pointers but only reads them.
    auto* row = const_cast<JSAMPLE*>(pixels.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);

  const bool closed = std::fclose(file) == 0;
  if (!closed) {
    error = "Cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}
