#pragma once

#include <string>

class PngPipeline;
class QImage;
class QPageLayout;

// The file formats a rendered composite can be written in, chosen by the output's extension.
enum class OutputFormat { Png, Jpeg, Pdf };

// The format that the path's extension (in any case) names, or false when it names none.
bool OutputFormatFor(const std::string& path, OutputFormat& format);

// Writes the composite drawn at dpi pixels per inch. A JPEG is made for photo laboratories: at
// quality 95, with the resolution in its JFIF header and the sRGB profile embedded, since labs
// print from sRGB files that carry their profile. A PDF is one page of the paper's size
// (pageWidth by pageHeight in tenths of a millimetre) showing the same picture at the same
// resolution, losslessly: it holds the rows of the PNG (see PdfImagePage). The file is replaced as
// a layout is (see FileReplacement), so a failure leaves the old file as it was and never half a
// file; false with the reason in error. A PNG or PDF whose drawing had a pipeline compressing its
// finished rows is finished by it.
bool WriteComposite(const QImage& image, const std::string& path, OutputFormat format, int dpi,
                    int pageWidth, int pageHeight, std::string& error,
                    PngPipeline* pipeline = nullptr);

// The libdeflate level a composite's rows are compressed at in a file of the format. A PDF goes
// to a printer or a lab, where its size matters less than the time it takes: one level below
// the PNG's saves about a tenth of a class's render for files about 6 % larger.
int CompressionLevel(OutputFormat format);

// The page of a composite of pageWidth by pageHeight tenths of a millimetre in a PDF: the paper
// itself, without margins, turned as the composite is.
QPageLayout CompositePageLayout(int pageWidth, int pageHeight);
