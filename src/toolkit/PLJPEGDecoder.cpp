#include "toolkit/PLJPEGDecoder.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <string>

// clang-format off: jpeglib.h needs the definitions of stdio.h first.
#include <jerror.h>
#include <jpeglib.h>
// clang-format on

#include "toolkit/PLBmp.h"
#include "toolkit/PLDataSource.h"
#include "toolkit/PLExifData.h"
#include "toolkit/PLTextException.h"
#include "toolkit/ProgressNotification.h"

namespace {

// Real encoders write about ten scans. Each scan of a progressive file walks the whole image
// again, so a small file with thousands of scans would keep the decoder busy for minutes.
constexpr int kMaxScans = 500;
constexpr JDIMENSION kRowsPerCall = 32;
constexpr unsigned kMaxMarkerLength = 0xFFFF;
// Multi-scan files keep every coefficient of the image, two bytes per sample, whatever the
// reduction: up to eight bytes per declared pixel for four full-resolution components. The slack
// covers the row buffers. The cap bounds what one decode may take however large the file: a
// 300-megapixel progressive photograph with halved colour needs about 900 MB.
constexpr std::uint64_t kLibjpegBytesPerPixel = 8;
constexpr std::uint64_t kLibjpegSlack = std::uint64_t{64} << 20;
constexpr std::uint64_t kLibjpegMemoryCap = std::uint64_t{1} << 30;
constexpr int kLargestReduction = 8;

}  // namespace

// Everything libjpeg's callbacks need, reachable from the decompressor's client_data.
struct PLJPEGContext {
  PLJPEGContext() = default;
  PLJPEGContext(const PLJPEGContext&) = delete;
  PLJPEGContext& operator=(const PLJPEGContext&) = delete;
  ~PLJPEGContext() { jpeg_destroy_decompress(&decompressor); }

  jpeg_decompress_struct decompressor{};
  jpeg_error_mgr errors{};
  jpeg_source_mgr input{};
  jpeg_progress_mgr monitor{};
  std::jmp_buf fatalJump{};
  char message[JMSG_LENGTH_MAX] = {};
  int errorCode = 0;
  bool tooManyScans = false;
  ProgressNotification* progress = nullptr;
  std::uint8_t* const* rows = nullptr;
};

namespace {

PLJPEGContext& ContextOf(j_common_ptr info) {
  return *static_cast<PLJPEGContext*>(info->client_data);
}

[[noreturn]] void OnFatalError(j_common_ptr info) {
  PLJPEGContext& context = ContextOf(info);
  const int code = info->err->msg_code;
  if (context.tooManyScans) {
    std::snprintf(context.message, sizeof context.message,
                  "Progressive JPEG image has more than %d scans", kMaxScans);
    context.errorCode = PL_ERRDECODE_FAILURE;
  } else if (code == JERR_NO_BACKING_STORE) {
    // libjpeg asks for backing store when a picture needs more than the budget one picture is
    // given: freeing memory elsewhere would not change that.
    std::snprintf(context.message, sizeof context.message,
                  "Picture needs more memory to decode than one picture may have");
    context.errorCode = PL_ERRTOO_LARGE;
  } else if (code == JERR_OUT_OF_MEMORY) {
    std::snprintf(context.message, sizeof context.message,
                  "Not enough memory to decode the picture");
    context.errorCode = PL_ERRNO_MEMORY;
  } else {
    (*info->err->format_message)(info, context.message);
    context.errorCode = PL_ERRDECODE_FAILURE;
  }
  std::longjmp(context.fatalJump, 1);
}

// Warnings, corrupt-data notices among them, are not errors, and a library has no business
// writing to the standard error of the program.
void IgnoreMessage(j_common_ptr) {}

void OnProgress(j_common_ptr info) {
  PLJPEGContext& context = ContextOf(info);
  if (context.decompressor.input_scan_number > kMaxScans) {
    context.tooManyScans = true;
    (*info->err->error_exit)(info);
  }
  if (!context.progress) return;
  const jpeg_progress_mgr& monitor = *info->progress;
  double part = monitor.completed_passes;
  if (monitor.pass_limit > 0) {
    part += static_cast<double>(monitor.pass_counter) / static_cast<double>(monitor.pass_limit);
  }
  context.progress->OnProgress(part / std::max(monitor.total_passes, 1));
}

void InitInput(j_decompress_ptr) {}
void TermInput(j_decompress_ptr) {}

// The whole input is in the buffer from the start, so a request for more means the file ends
// early: warn and pretend the image ends here, as libjpeg's own sources do.
boolean SupplyEndOfImage(j_decompress_ptr info) {
  static const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};
  WARNMS(info, JWRN_JPEG_EOF);
  info->src->next_input_byte = kEndOfImage;
  info->src->bytes_in_buffer = sizeof kEndOfImage;
  return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr& input = *info->src;
  if (static_cast<unsigned long>(count) >= input.bytes_in_buffer) {
    SupplyEndOfImage(info);
    return;
  }
  input.next_input_byte += count;
  input.bytes_in_buffer -= static_cast<std::size_t>(count);
}

// The only place that catches libjpeg's fatal errors. Steps make no C++ objects, so jumping out
// of one skips no destructor.
bool CallLibjpeg(PLJPEGContext& context, void (*step)(PLJPEGContext&)) {
  if (setjmp(context.fatalJump) != 0) return false;
  step(context);
  return true;
}

// A reduced picture covers the same inches with fewer pixels.
PLPoint ResolutionOf(const jpeg_decompress_struct& info, int reduction) {
  // A density of 1 is what files without density information carry.
  if (info.X_density == 1 || info.Y_density == 1) return {};
  if (info.density_unit == 2) {
    return {info.X_density * 254 / 100 / reduction, info.Y_density * 254 / 100 / reduction};
  }
  return {info.X_density / reduction, info.Y_density / reduction};
}

std::string SizeText(std::uint64_t width, std::uint64_t height) {
  return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

}  // namespace

PLJPEGDecoder::PLJPEGDecoder() : context_(std::make_unique<PLJPEGContext>()) {
  PLJPEGContext& context = *context_;
  jpeg_decompress_struct& info = context.decompressor;
  info.err = jpeg_std_error(&context.errors);
  context.errors.error_exit = OnFatalError;
  context.errors.output_message = IgnoreMessage;
  info.client_data = &context;
  RunLibjpeg([](PLJPEGContext& c) { jpeg_create_decompress(&c.decompressor); });

  context.input.init_source = InitInput;
  context.input.fill_input_buffer = SupplyEndOfImage;
  context.input.skip_input_data = SkipInput;
  context.input.resync_to_restart = jpeg_resync_to_restart;
  context.input.term_source = TermInput;
  info.src = &context.input;
  context.monitor.progress_monitor = OnProgress;
  info.progress = &context.monitor;
}

PLJPEGDecoder::~PLJPEGDecoder() { PLJPEGDecoder::CloseSource(); }

void PLJPEGDecoder::CloseSource() {
  jpeg_abort_decompress(&context_->decompressor);
  context_->input.next_input_byte = nullptr;
  context_->input.bytes_in_buffer = 0;
  context_->progress = nullptr;
  exif_.reset();
  PLPicDecoder::CloseSource();
}

void PLJPEGDecoder::TakeExif(PLExifData& target) const {
  if (exif_ && exif_->SegmentLength() > 0) target = *exif_;
}

void PLJPEGDecoder::OpenSource(PLDataSource& source) {
  PLJPEGContext& context = *context_;
  jpeg_decompress_struct& info = context.decompressor;
  context.progress = source.Progress();
  context.tooManyScans = false;
  context.input.next_input_byte = source.CurrentPointer();
  context.input.bytes_in_buffer = source.Size() - source.Position();
  RunLibjpeg([](PLJPEGContext& c) {
    jpeg_save_markers(&c.decompressor, JPEG_APP0 + 1, kMaxMarkerLength);
    jpeg_read_header(&c.decompressor, TRUE);
  });
  exif_ = std::make_unique<PLExifData>();
  exif_->ReadFromJpeg(&info);

  // A file that even the largest reduction cannot bring within the pixel limit is refused
  // before anything is allocated for it.
  const std::uint64_t reducible = pixelLimit_ > kDeclaredPixelLimit
                                      ? kDeclaredPixelLimit
                                      : pixelLimit_ * kLargestReduction * kLargestReduction;
  if (std::uint64_t{info.image_width} * info.image_height >
      std::min(kDeclaredPixelLimit, reducible)) {
    RaiseError(PL_ERRTOO_LARGE,
               "Picture of " + SizeText(info.image_width, info.image_height) + " is too large");
  }
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
      info.out_color_space = JCS_GRAYSCALE;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      info.out_color_space = JCS_CMYK;
      break;
    default:
      // Unknown component layouts ask for the same; libjpeg refuses them when decoding starts.
      info.out_color_space = JCS_EXT_BGRX;
      break;
  }
  Describe();
}

void PLJPEGDecoder::SetReduction(int reduction) {
  reduction_ = 1;
  while (reduction_ * 2 <= std::min(reduction, kLargestReduction)) reduction_ *= 2;
  if (IsOpen()) Describe();
}

PLPoint PLJPEGDecoder::DeclaredSize() const {
  if (!IsOpen()) return {};
  const jpeg_decompress_struct& info = context_->decompressor;
  return {static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
}

void PLJPEGDecoder::Describe() {
  jpeg_decompress_struct& info = context_->decompressor;
  info.scale_num = 1;
  info.scale_denom = static_cast<unsigned>(reduction_);
  RunLibjpeg([](PLJPEGContext& c) { jpeg_calc_output_dimensions(&c.decompressor); });
  const bool greyscale = info.out_color_space == JCS_GRAYSCALE;
  SetBmpInfo(PLBmpInfo(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       greyscale ? 8 : 32, ResolutionOf(info, reduction_), false, greyscale));
}

void PLJPEGDecoder::ReadImage(PLBmp& bmp, int bpp) {
  if (IsOpen()) {
    jpeg_decompress_struct& info = context_->decompressor;
    if (std::uint64_t{info.output_width} * info.output_height > pixelLimit_) {
      const std::string reduced =
          reduction_ > 1 ? " at 1/" + std::to_string(reduction_) + " of its size" : "";
      RaiseError(PL_ERRTOO_LARGE, "Picture of " + SizeText(info.output_width, info.output_height) +
                                      " is too large to decode" + reduced);
    }
    const std::uint64_t declared = std::uint64_t{info.image_width} * info.image_height;
    const std::uint64_t budget =
        std::min(declared * kLibjpegBytesPerPixel + kLibjpegSlack, kLibjpegMemoryCap);
    info.mem->max_memory_to_use = static_cast<long>(std::min<std::uint64_t>(budget, LONG_MAX));
  }
  PLPicDecoder::ReadImage(bmp, bpp);
}

void PLJPEGDecoder::DecodePixels(PLBmp& bmp) {
  PLJPEGContext& context = *context_;
  jpeg_decompress_struct& info = context.decompressor;
  info.do_fancy_upsampling = fastDecoding_ ? FALSE : TRUE;
  info.dct_method = JDCT_FLOAT;
  RunLibjpeg([](PLJPEGContext& c) { jpeg_start_decompress(&c.decompressor); });

  // libjpeg writes output_width x output_components bytes into each row; they must fit.
  if (info.output_components * 8 != bmp.BitsPerPixel() ||
      info.output_width != static_cast<JDIMENSION>(bmp.Width()) ||
      info.output_height != static_cast<JDIMENSION>(bmp.Height())) {
    jpeg_abort_decompress(&info);
    RaiseError(PL_ERRDECODE_FAILURE, "Decoded rows do not fit the bitmap.");
  }

  struct LockGuard {
    PLBmp& bmp;
    ~LockGuard() { bmp.Unlock(); }
  };
  bmp.Lock(false, true);
  LockGuard unlockLater{bmp};
  context.rows = bmp.RowTable();
  RunLibjpeg([](PLJPEGContext& c) {
    jpeg_decompress_struct& d = c.decompressor;
    while (d.output_scanline < d.output_height) {
      const JDIMENSION rows = std::min(kRowsPerCall, d.output_height - d.output_scanline);
      auto* target = const_cast<JSAMPARRAY>(c.rows + d.output_scanline);
      if (jpeg_read_scanlines(&d, target, rows) == 0) break;
    }
    if (d.output_scanline == d.output_height) {
      jpeg_finish_decompress(&d);
    } else {
      jpeg_abort_decompress(&d);
    }
  });
  context.rows = nullptr;
}

void PLJPEGDecoder::RunLibjpeg(void (*step)(PLJPEGContext&)) {
  if (CallLibjpeg(*context_, step)) return;
  jpeg_abort_decompress(&context_->decompressor);
  RaiseError(context_->errorCode, std::string(context_->message) + "\n");
}
