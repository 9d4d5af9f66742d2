#include <QFontDatabase>
#include <cstdint>
#include <ostream>
#include <string>
#include <system_error>
#include <thread>

#include "app/CommandLine.h"
#include "app/CompositeOutput.h"
#include "app/CompositeRequest.h"
#include "app/HeadlessApplication.h"
#include "app/PreviewOptions.h"
#include "app/PreviewSubjects.h"
#include "engine/CompositeRenderer.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "images/ImageCache.h"
#include "platform/RasterDeviceContext.h"

namespace {

constexpr char kUsage[] =
    "usage: montage-designer render LAYOUT -o OUT [preview options] [--dpi N]\n"
    "  -o OUT                the picture to write: .png, .jpg, .jpeg or .pdf\n"
    "  --dpi N               resolution in pixels per inch, 1 to 10000 (default 300)\n";
constexpr std::uint32_t kDefaultDpi = 300;
constexpr std::uint32_t kMaximumDpi = 10000;
// The drawing surface holds at most this many pixels (1 GiB); larger pictures are refused
// before anything is drawn rather than left to exhaust the memory.
constexpr std::int64_t kMaximumPixels = std::int64_t{1} << 28;
// The JPEG format cannot describe a side longer than this.
constexpr std::int64_t kMaximumJpegSide = 65535;
constexpr std::int64_t kMillimetreTenthsPerInch = 254;

// Pixels across a length of layout units at the resolution, rounded as the surface rounds.
std::int64_t Pixels(std::int64_t length, std::int64_t dpi) {
  return (2 * length * dpi + kMillimetreTenthsPerInch) / (2 * kMillimetreTenthsPerInch);
}

// The font database reads the system's font configuration when text is first measured, which
// takes several milliseconds; a thread of its own reads it while the pictures are decoded. Qt
// guards the database with a lock, so text measured before the thread is done waits for it.
std::jthread ReadFontsAside() {
  try {
    return std::jthread([] { QFontDatabase::families(); });
  } catch (const std::system_error&) {
    return {};  // without a thread to spare the first text reads the fonts itself
  }
}

}  // namespace

int RunRenderCommand(const SubcommandArgs& args, std::ostream& /*out*/, std::ostream& err) {
  HeadlessApplication application;
  CompositeRequest request;
  if (const int status = request.Parse(args, {"-o", "--output", "--dpi"}, kUsage, err)) {
    return status;
  }
  const std::string* output = request.Extra("-o");
  if (!output) output = request.Extra("--output");
  if (!output || output->empty()) {
    err << "montage-designer: no output file given (-o OUT)\n" << kUsage;
    return 2;
  }
  OutputFormat format;
  if (!OutputFormatFor(*output, format)) {
    err << "montage-designer: " << *output
        << ": the output's extension must be .png, .jpg, .jpeg or .pdf\n";
    return 2;
  }
  std::uint32_t dpi = kDefaultDpi;
  if (const std::string* text = request.Extra("--dpi");
      text && !ParseBoundedNumber(*text, 1, kMaximumDpi, dpi)) {
    err << "montage-designer: --dpi takes a whole number from 1 to " << kMaximumDpi << ", not \""
        << *text << "\"\n";
    return 2;
  }

  const Rect page = request.Page();
  const std::int64_t width = Pixels(page.Width(), dpi);
  const std::int64_t height = Pixels(page.Height(), dpi);
  if (width < 1 || height < 1) {
    err << "montage-designer: the page is less than a pixel across at " << dpi << " dpi\n";
    return 2;
  }
  if (width * height > kMaximumPixels ||
      (format == OutputFormat::Jpeg && std::max(width, height) > kMaximumJpegSide)) {
    err << "montage-designer: the picture would be " << width << " x " << height << " pixels at "
        << dpi << " dpi, more than this program writes; choose a lower --dpi\n";
    return 2;
  }

  const std::jthread fonts = ReadFontsAside();
  RasterDeviceContext dc(static_cast<int>(width), static_cast<int>(height), static_cast<int>(dpi),
                         static_cast<int>(dpi));
  if (dc.IsNull()) {
    err << "montage-designer: not enough memory for a picture of " << width << " x " << height
        << " pixels\n";
    return 1;
  }
  ImageCache& cache = ImageCache::Instance();
  // Nobody watches a command wait, so a picture that cannot be decoded fails at once.
  cache.SetRetryPolicy(LoadRetryPolicy::SingleAttempt());
  // One composite asks for each picture once, so a decoded copy to make it again from would only
  // cost the time and memory of copying every picture.
  cache.SetKeepDecodedCopies(false);
  const DisplayConverter converter;
  const RenderContext context{dc, converter, request.Layout(), request.Settings(), cache};
  const PreviewSubjects subjects(request.Settings().NumImages);
  const CompositeContent content =
      DrawComposite(context, page, subjects.Portraits(), subjects.Main(), false);
  if (subjects.Portraits().size() < 2) {
    err << "montage-designer: a composite needs at least 3 images; the page is left blank\n";
  } else if (content.Items.empty()) {
    // The sample composite has said why no cell could be made.
    return 1;
  }

  std::string error;
  if (!WriteComposite(dc.Image(), *output, format, static_cast<int>(dpi), page.Width(),
                      page.Height(), error)) {
    err << "montage-designer: cannot write " << *output << ": " << error << '\n';
    return 1;
  }
  return 0;
}
