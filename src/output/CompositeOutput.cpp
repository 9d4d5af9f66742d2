#include "output/CompositeOutput.h"

#include <QColorSpace>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <algorithm>
#include <cctype>

#include "output/PngEncoder.h"
#include "output/ReplacementDevice.h"
#include "platform/FileReplacement.h"

namespace {

// What photo laboratories ask for: little enough loss that a print shows none.
constexpr int kJpegQuality = 95;
constexpr double kMillimetresPerInch = 25.4;

std::string LowerExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

bool WriteJpeg(const QImage& image, QIODevice& file, int dpi, std::string& error) {
  // A view of the same pixels, tagged sRGB, which Qt's writer embeds as an ICC profile; tagging
  // the composite itself would copy all of it. The resolution goes in the JFIF header in dots
  // per inch.
  QImage tagged(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                image.format());
  tagged.setColorSpace(QColorSpace::SRgb);
  const int dotsPerMetre = qRound(dpi * 1000.0 / kMillimetresPerInch);
  tagged.setDotsPerMeterX(dotsPerMetre);
  tagged.setDotsPerMeterY(dotsPerMetre);
  QImageWriter writer(&file, "jpeg");
  writer.setQuality(kJpegQuality);
  if (!writer.write(tagged)) {
    error = writer.errorString().toStdString();
    return false;
  }
  return true;
}

// The page in points, the paper's size in tenths of a millimetre, turned as the composite is.
constexpr double kPointsPerMillimetreTenth = 72.0 / 254.0;

}  // namespace

bool OutputFormatFor(const std::string& path, OutputFormat& format) {
  const std::string extension = LowerExtension(path);
  if (extension == "png") {
    format = OutputFormat::Png;
  } else if (extension == "jpg" || extension == "jpeg") {
    format = OutputFormat::Jpeg;
  } else if (extension == "pdf") {
    format = OutputFormat::Pdf;
  } else {
    return false;
  }
  return true;
}

QPageLayout CompositePageLayout(int pageWidth, int pageHeight) {
  const QSizeF upright(std::min(pageWidth, pageHeight) / 10.0,
                       std::max(pageWidth, pageHeight) / 10.0);
  return QPageLayout(QPageSize(upright, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                     pageWidth > pageHeight ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF());
}

int CompressionLevel(OutputFormat format) {
  return format == OutputFormat::Pdf ? PngEncoder::DefaultLevel - 1 : PngEncoder::DefaultLevel;
}

bool WriteComposite(const QImage& image, const std::string& path, OutputFormat format, int dpi,
                    int pageWidth, int pageHeight, std::string& error, PngPipeline* pipeline) {
  FileReplacement file(path);
  if (const std::optional<std::string> failure = file.Begin()) {
    error = *failure;
    return false;
  }
  ReplacementDevice device(file);
  bool written = false;
  // A PDF holds the rows compressed as for the PNG, so the two files hold the same pixels.
  const auto compressed = [&](const PngEncoder::FileOfRows& wrap) {
    const QByteArray bytes = pipeline
                                 ? pipeline->Finish(image, wrap, error)
                                 : PngEncoder::Encode(image, wrap, error, CompressionLevel(format));
    return !bytes.isEmpty() &&
           !file.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  };
  switch (format) {
    case OutputFormat::Png:
      written = compressed(PngEncoder::Png(image.dotsPerMeterX(), image.dotsPerMeterY()));
      break;
    case OutputFormat::Jpeg:
      written = WriteJpeg(image, device, dpi, error);
      break;
    case OutputFormat::Pdf:
      written = compressed(PngEncoder::Pdf(pageWidth * kPointsPerMillimetreTenth,
                                           pageHeight * kPointsPerMillimetreTenth));
      break;
  }
  // A write the disk refused has already given the replacement the system's reason, which says
  // more than the writer's own message.
  if (!written) file.Fail(error);
  if (const std::optional<std::string> failure = file.Finish()) {
    error = *failure;
    return false;
  }
  return true;
}
