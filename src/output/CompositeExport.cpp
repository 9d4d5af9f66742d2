#include "output/CompositeExport.h"

#include <algorithm>
#include <optional>

#include "engine/CompositeRenderer.h"
#include "engine/DisplayConverter.h"
#include "engine/RenderContext.h"
#include "images/CompositeSubjects.h"
#include "output/PngEncoder.h"
#include "platform/RasterDeviceContext.h"
#include "settings/PreviewPage.h"
#include "settings/PreviewSettings.h"

namespace {

// The longest side libjpeg, which writes our JPEG files through Qt, accepts (its
// JPEG_MAX_DIMENSION). The format itself could describe 65535, but a side between the two would
// be drawn in full and then fail to be written with no useful reason.
constexpr std::int64_t kMaximumJpegSide = 65500;
constexpr std::int64_t kMillimetreTenthsPerInch = 254;

// Pixels across a length of layout units at the resolution, rounded as the surface rounds.
std::int64_t Pixels(std::int64_t length, std::int64_t dpi) {
  return (2 * length * dpi + kMillimetreTenthsPerInch) / (2 * kMillimetreTenthsPerInch);
}

ExportResult Refused(ExportResult::Status status, std::string message) {
  ExportResult result;
  result.Outcome = status;
  result.Message = std::move(message);
  return result;
}

ExportResult Failed(std::string message) {
  return Refused(ExportResult::Status::Failed, std::move(message));
}

}  // namespace

ExportResult ExportComposite(const Montage& layout, const PreviewSettings& settings,
                             ImageCache& cache, const ExportRequest& request) {
  const CompositeSubjects subjects = CompositeSubjects::ForSettings(settings);
  if (!subjects.ClassError().empty()) return Failed(subjects.ClassError());
  const Rect page = PreviewPage(settings, layout);
  const std::int64_t dpi = request.Dpi;
  const std::int64_t width = Pixels(page.Width(), dpi);
  const std::int64_t height = Pixels(page.Height(), dpi);
  if (width < 1 || height < 1) {
    return Refused(ExportResult::Status::TooSmall,
                   "the page is less than a pixel across at " + std::to_string(dpi) + " dpi");
  }
  if (width * height > MaxExportPixels ||
      (request.Format == OutputFormat::Jpeg && std::max(width, height) > kMaximumJpegSide)) {
    return Refused(ExportResult::Status::TooLarge, "the picture would be " + std::to_string(width) +
                                                       " x " + std::to_string(height) +
                                                       " pixels at " + std::to_string(dpi) +
                                                       " dpi, more than this program writes");
  }

  RasterDeviceContext dc(static_cast<int>(width), static_cast<int>(height), static_cast<int>(dpi),
                         static_cast<int>(dpi));
  if (dc.IsNull()) {
    return Failed("not enough memory for a picture of " + std::to_string(width) + " x " +
                  std::to_string(height) + " pixels");
  }
  const DisplayConverter converter;
  const RenderContext context{dc, converter, layout, settings, cache};
  // A PNG's finished rows are compressed while the rest is drawn. Should a drawing reach into
  // rows handed to the pipeline after all, the pipeline lets go of them first and compresses
  // the whole picture once it is drawn.
  std::optional<PngPipeline> pipeline;
  if (request.Format == OutputFormat::Png) pipeline.emplace(dc.Image());
  const auto handOver = [&dc, &pipeline](int logicalY) {
    dc.HandOverRowsAbove(dc.DeviceY(logicalY), [&pipeline] { pipeline->LetGo(); });
    pipeline->FinishRows(dc.HandedOverRows());
  };
  const CompositeContent content = DrawComposite(
      context, page, subjects, false, pipeline ? FinishedAbove(handOver) : FinishedAbove());
  // Without the sample no cell is made, and the sample is the only problem samples have.
  if (subjects.Class() == nullptr && !content.Problems.empty()) {
    return Refused(ExportResult::Status::SampleUnreadable, content.Problems.front().Error);
  }
  ExportResult result;
  result.Problems = content.Problems;
  if (subjects.ImageCount() < 3) {
    result.Message = "a composite needs at least 3 images; the page is left blank";
  }

  std::string error;
  if (!WriteComposite(dc.Image(), request.Path, request.Format, static_cast<int>(dpi), page.Width(),
                      page.Height(), error, pipeline ? &*pipeline : nullptr)) {
    return Failed("cannot write " + request.Path + ": " + error);
  }
  return result;
}
