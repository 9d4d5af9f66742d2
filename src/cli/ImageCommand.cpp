#include <cmath>
#include <cstdint>
#include <ostream>

#include "cli/CommandArguments.h"
#include "cli/Reporter.h"
#include "cli/Subcommand.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageCache.h"

namespace {

// The Exif orientation truncated to a whole number, 0 when the file has none. The value comes
// from the file, so it is kept within range before it becomes an integer.
std::int64_t Orientation(const ZodarEdo::DeviceIndepBitmap& picture) {
  const double value = std::trunc(picture.ExifValue("main.ori"));
  if (!(std::fabs(value) < 9.0e15)) return 0;
  return static_cast<std::int64_t>(value);
}

int RunImageCommand(const SubcommandArgs& args, std::ostream& out, Reporter& reporter) {
  const CommandArguments arguments(args, {});
  if (const auto status = ImageSubcommand.Settle(arguments, out, reporter)) return *status;
  if (arguments.Words().size() != 1) {
    return ImageSubcommand.Refuse(
        reporter, arguments.Words().empty() ? "no picture given" : "more than one picture given");
  }
  // The picture is loaded through the image cache as the window loads it, but tried once: the
  // window's 20-second retry waits for a file that another program is still writing, and a
  // script that hands over a damaged file should hear about it at once, not after a silence.
  ImageCache cache(LoadRetryPolicy::SingleAttempt());
  ImageError error;
  const ImageCache::Picture picture = cache.Get(arguments.Words()[0], error);
  if (!picture || error.Failed() || !picture->HasPixels()) {
    reporter.Relay(error.Text);
    return ExitFailed;
  }
  const ZodarEdo::PictureSize size = picture->GetSize();
  const ZodarEdo::PictureResolution resolution = picture->Resolution();
  out << "{\"width\":" << size.Width << ",\"height\":" << size.Height
      << ",\"bitsPerPixel\":" << picture->BitsPerPixel() << ",\"resolution\":[" << resolution.X
      << ',' << resolution.Y << "],\"orientation\":" << Orientation(*picture) << "}\n";
  return FinishOutput(out, reporter);
}

}  // namespace

const Subcommand ImageSubcommand{
    .Name = "image",
    .Synopsis = "FILE",
    .Summary =
        "Prints the size, depth, resolution and Exif orientation of the picture FILE as "
        "JSON.",
    .Run = RunImageCommand,
};
