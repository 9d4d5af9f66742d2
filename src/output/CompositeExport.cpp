#include "output/CompositeExport.h"

#include <QImage>
#include <algorithm>
#include <memory>

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

// A composite drawn on a surface of its own, or the reason it was not. The pipeline reads the
// surface's pixels, so it is declared after the surface and destroyed before it.
struct Drawing {
  ExportResult Result;
  Rect Page;
  std::unique_ptr<RasterDeviceContext> Dc;
  std::unique_ptr<PngPipeline> Pipeline;
};

// Draws the subjects on the settings' paper at dpi. A PNG's or PDF's finished rows are compressed
// while the rest is drawn when pipelined; a JPEG's sides are held to what libjpeg writes.
Drawing Draw(const Montage& layout, const PreviewSettings& settings, ImageCache& cache,
             const CompositeSubjects& subjects, std::int64_t dpi, OutputFormat format,
             bool pipelined) {
  Drawing drawing;
  if (!subjects.ClassError().empty()) {
    drawing.Result = Failed(subjects.ClassError());
    return drawing;
  }
  drawing.Page = PreviewPage(settings, layout);
  const std::int64_t width = Pixels(drawing.Page.Width(), dpi);
  const std::int64_t height = Pixels(drawing.Page.Height(), dpi);
  if (width < 1 || height < 1) {
    drawing.Result =
        Refused(ExportResult::Status::TooSmall,
                "the page is less than a pixel across at " + std::to_string(dpi) + " dpi");
    return drawing;
  }
  if (width * height > MaxExportPixels ||
      (format == OutputFormat::Jpeg && std::max(width, height) > kMaximumJpegSide)) {
    drawing.Result =
        Refused(ExportResult::Status::TooLarge,
                "the picture would be " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels at " + std::to_string(dpi) + " dpi, more than this program writes");
    return drawing;
  }

  drawing.Dc =
      std::make_unique<RasterDeviceContext>(static_cast<int>(width), static_cast<int>(height),
                                            static_cast<int>(dpi), static_cast<int>(dpi));
  RasterDeviceContext& dc = *drawing.Dc;
  if (dc.IsNull()) {
    drawing.Result = Failed("not enough memory for a picture of " + std::to_string(width) + " x " +
                            std::to_string(height) + " pixels");
    return drawing;
  }
  const DisplayConverter converter;
  const RenderContext context{dc, converter, layout, settings, cache};
  // Should a drawing reach into rows handed to the pipeline after all, the pipeline lets go of
  // them first and compresses the whole picture once it is drawn.
  if (pipelined)
    drawing.Pipeline = std::make_unique<PngPipeline>(dc.Image(), CompressionLevel(format));
  PngPipeline* pipeline = drawing.Pipeline.get();
  const auto handOver = [&dc, pipeline](int logicalY) {
    dc.HandOverRowsAbove(dc.DeviceY(logicalY), [pipeline] { pipeline->LetGo(); });
    pipeline->FinishRows(dc.HandedOverRows());
  };
  const CompositeContent content = DrawComposite(
      context, drawing.Page, subjects, false, pipeline ? FinishedAbove(handOver) : FinishedAbove());
  // Without the sample no cell is made, and the sample is the only problem samples have.
  if (subjects.Class() == nullptr && !content.Problems.empty()) {
    drawing.Result =
        Refused(ExportResult::Status::SampleUnreadable, content.Problems.front().Error);
    return drawing;
  }
  drawing.Result.Problems = content.Problems;
  for (const DrawnText& text : content.Texts) {
    if (text.Role == TextRole::Caption || text.Text.empty()) continue;
    std::uint32_t& smallest = drawing.Result.SmallestNameTenths;
    smallest = smallest == 0 ? text.Fit.PointTenths : std::min(smallest, text.Fit.PointTenths);
  }
  if (content.Images < 3) {
    drawing.Result.Message = "a composite needs at least 3 images; the page is left blank";
  }
  return drawing;
}

}  // namespace

ExportResult ExportComposite(const Montage& layout, const PreviewSettings& settings,
                             ImageCache& cache, const ExportRequest& request) {
  return ExportComposite(layout, settings, cache, CompositeSubjects::ForSettings(settings),
                         request);
}

ExportResult ExportComposite(const Montage& layout, const PreviewSettings& settings,
                             ImageCache& cache, const CompositeSubjects& subjects,
                             const ExportRequest& request) {
  Drawing drawing = Draw(layout, settings, cache, subjects, request.Dpi, request.Format,
                         request.Format != OutputFormat::Jpeg);
  if (!drawing.Result.Succeeded()) return drawing.Result;
  std::string error;
  if (!WriteComposite(drawing.Dc->Image(), request.Path, request.Format,
                      static_cast<int>(request.Dpi), drawing.Page.Width(), drawing.Page.Height(),
                      error, drawing.Pipeline.get())) {
    return Failed("cannot write " + request.Path + ": " + error);
  }
  return drawing.Result;
}

ExportResult DrawCompositePicture(const Montage& layout, const PreviewSettings& settings,
                                  ImageCache& cache, const CompositeSubjects& subjects,
                                  std::uint32_t dpi, QImage& picture) {
  picture = QImage();
  Drawing drawing = Draw(layout, settings, cache, subjects, dpi, OutputFormat::Png, false);
  if (drawing.Result.Succeeded()) picture = drawing.Dc->Image();
  return drawing.Result;
}
