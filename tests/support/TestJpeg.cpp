#include "support/TestJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <jpeglib.h>

namespace testsupport {
namespace {

struct Encoder {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  std::jmp_buf jump{};
  char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void OnEncoderError(j_common_ptr info) {
  auto* encoder = static_cast<Encoder*>(info->client_data);
  (*info->err->format_message)(info, encoder->message);
  std::longjmp(encoder->jump, 1);
}

// Kept apart from the C++ objects of EncodeJpeg so that the error jump skips no destructor.
// Rows lie rowStride bytes apart; a stride of 0 repeats the first row all the way down.
bool Compress(Encoder& encoder, const JpegOptions& options, const std::uint8_t* samples,
              std::size_t rowStride, unsigned char** output, unsigned long* outputSize) {
  if (setjmp(encoder.jump) != 0) return false;
  jpeg_compress_struct& info = encoder.info;
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, output, outputSize);
  info.image_width = static_cast<JDIMENSION>(options.width);
  info.image_height = static_cast<JDIMENSION>(options.height);
  info.input_components = ComponentsOf(options.kind);
  info.in_color_space = options.kind == JpegKind::Colour      ? JCS_RGB
                        : options.kind == JpegKind::Greyscale ? JCS_GRAYSCALE
                                                              : JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, options.quality, TRUE);
  if (options.progressive) jpeg_simple_progression(&info);
  info.write_JFIF_header = options.jfif ? TRUE : FALSE;
  info.density_unit = static_cast<UINT8>(options.densityUnit);
  info.X_density = static_cast<UINT16>(options.xDensity);
  info.Y_density = static_cast<UINT16>(options.yDensity);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<JSAMPROW>(samples + rowStride * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  return true;
}

}  // namespace

int ComponentsOf(JpegKind kind) {
  switch (kind) {
    case JpegKind::Greyscale:
      return 1;
    case JpegKind::Cmyk:
      return 4;
    case JpegKind::Colour:
      break;
  }
  return 3;
}

std::vector<std::uint8_t> PhotoLikeSamples(int width, int height, int components,
                                           std::uint32_t seed) {
  std::vector<std::uint8_t> samples(static_cast<std::size_t>(width) * height * components);
  std::uint32_t noise = seed * 2654435761u + 1;
  std::size_t i = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int dx = x - width / 3;
      const int dy = y - height / 2;
      const int ring = ((dx * dx + dy * dy) / (4 + width / 16)) & 63;
      for (int c = 0; c < components; ++c) {
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        const int gradient = (x * (160 + 30 * c)) / width + (y * (90 - 20 * c)) / height;
        const int value = gradient + ring + static_cast<int>(noise % 13);
        samples[i++] = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
      }
    }
  }
  return samples;
}

static std::vector<std::uint8_t> EncodeRows(const JpegOptions& options, const std::uint8_t* samples,
                                            std::size_t rowStride) {
  Encoder encoder;
  encoder.info.err = jpeg_std_error(&encoder.errors);
  encoder.errors.error_exit = OnEncoderError;
  encoder.info.client_data = &encoder;
  unsigned char* output = nullptr;
  unsigned long outputSize = 0;
  const bool done = Compress(encoder, options, samples, rowStride, &output, &outputSize);
  jpeg_destroy_compress(&encoder.info);
  std::vector<std::uint8_t> jpeg(output, output + (done ? outputSize : 0));
  std::free(output);
  if (!done) throw std::runtime_error(std::string("EncodeJpeg: ") + encoder.message);
  return jpeg;
}

std::vector<std::uint8_t> EncodeJpeg(const JpegOptions& options,
                                     const std::vector<std::uint8_t>& samples) {
  const std::size_t rowBytes = static_cast<std::size_t>(options.width) * ComponentsOf(options.kind);
  if (samples.size() < rowBytes * options.height) {
    throw std::invalid_argument("EncodeJpeg: too few samples");
  }
  return EncodeRows(options, samples.data(), rowBytes);
}

std::vector<std::uint8_t> EncodeFlatJpeg(JpegOptions options, std::uint8_t level) {
  options.kind = JpegKind::Greyscale;
  const std::vector<std::uint8_t> row(static_cast<std::size_t>(options.width), level);
  return EncodeRows(options, row.data(), 0);
}

std::vector<std::uint8_t> EncodeJpeg(const JpegOptions& options) {
  return EncodeJpeg(options,
                    PhotoLikeSamples(options.width, options.height, ComponentsOf(options.kind)));
}

std::vector<std::uint8_t> InsertApp1(const std::vector<std::uint8_t>& jpeg,
                                     const std::vector<std::uint8_t>& payload) {
  if (payload.size() > 65533) throw std::invalid_argument("InsertApp1: payload too long");
  if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) {
    throw std::invalid_argument("InsertApp1: not a JPEG file");
  }
  std::size_t at = 2;
  if (jpeg.size() >= 6 && jpeg[2] == 0xFF && jpeg[3] == 0xE0) at = 4 + (jpeg[4] << 8 | jpeg[5]);
  const std::size_t length = payload.size() + 2;
  std::vector<std::uint8_t> result(jpeg.begin(), jpeg.begin() + static_cast<long>(at));
  result.insert(result.end(), {0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
                               static_cast<std::uint8_t>(length & 0xFF)});
  result.insert(result.end(), payload.begin(), payload.end());
  result.insert(result.end(), jpeg.begin() + static_cast<long>(at), jpeg.end());
  return result;
}

std::vector<std::uint8_t> WithDeclaredSize(std::vector<std::uint8_t> jpeg, int width, int height) {
  // The frame header, baseline (FF C0) or progressive (FF C2): length, precision, then height and
  // width, big-endian.
  for (std::size_t i = 2; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
      jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<std::uint8_t>(height);
      jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<std::uint8_t>(width);
      return jpeg;
    }
  }
  throw std::invalid_argument("WithDeclaredSize: no frame header");
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("WriteFile: cannot write " + path);
}

std::vector<JpegSegment> JpegSegments(const std::vector<std::uint8_t>& jpeg) {
  constexpr std::uint8_t kStartOfScan = 0xDA;
  std::vector<JpegSegment> segments;
  std::size_t at = 2;  // after the start of image
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
    const std::uint8_t marker = jpeg[at + 1];
    const std::size_t length = (std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3];
    if (length < 2 || at + 2 + length > jpeg.size()) break;
    segments.push_back(
        {marker, std::vector<std::uint8_t>(jpeg.begin() + static_cast<long>(at + 4),
                                           jpeg.begin() + static_cast<long>(at + 2 + length))});
    if (marker == kStartOfScan) break;
    at += 2 + length;
  }
  return segments;
}

std::vector<std::uint8_t> QuantisationTables(const std::vector<std::uint8_t>& jpeg) {
  constexpr std::uint8_t kQuantisationTable = 0xDB;
  std::vector<std::uint8_t> tables;
  for (const JpegSegment& segment : JpegSegments(jpeg)) {
    if (segment.marker == kQuantisationTable) {
      tables.insert(tables.end(), segment.payload.begin(), segment.payload.end());
    }
  }
  return tables;
}

}  // namespace testsupport
