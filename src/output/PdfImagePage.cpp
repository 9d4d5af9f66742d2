#include "output/PdfImagePage.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A length in points as PDF writes a real number, whatever the process's locale says of decimal
// separators.
std::string Points(double points) {
  std::array<char, 32> text{};
  const auto end =
      std::to_chars(text.data(), text.data() + text.size(), points, std::chars_format::fixed, 3);
  return std::string(text.data(), end.ptr);
}

// The file's bytes and where each object starts, for the cross-reference table; objects are
// numbered from 1 in the order they begin.
class PdfText {
 public:
  void Object(const std::string& body) {
    Begin();
    Add(std::to_string(offsets_.size()) + " 0 obj\n" + body + "\nendobj\n");
  }
  // Starts an object that the caller writes itself.
  void Begin() { offsets_.push_back(bytes_.size()); }
  void Add(const std::string& text) {
    bytes_.append(text.data(), static_cast<qsizetype>(text.size()));
  }
  QByteArray& Bytes() { return bytes_; }
  const std::vector<qsizetype>& Offsets() const { return offsets_; }

 private:
  QByteArray bytes_;
  std::vector<qsizetype> offsets_;
};

}  // namespace

QByteArray PdfImagePage::File(int width, int height, std::span<const DeflatePieces::Piece> rows,
                              double pageWidth, double pageHeight) {
  const std::size_t streamSize = DeflatePieces::JoinedSize(rows);
  const std::string w = std::to_string(width);
  const std::string pageW = Points(pageWidth);
  const std::string pageH = Points(pageHeight);
  const std::string drawing = "q " + pageW + " 0 0 " + pageH + " 0 0 cm /Im0 Do Q";

  PdfText pdf;
  pdf.Bytes().reserve(static_cast<qsizetype>(streamSize) + 2048);
  // The second line's bytes above 127 tell programs that look for them that the file is binary.
  pdf.Add("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
  pdf.Object("<< /Type /Catalog /Pages 2 0 R >>");
  pdf.Object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
  pdf.Object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + pageW + " " + pageH +
             "] /Resources << /XObject << /Im0 6 0 R >> >> /Contents 4 0 R >>");
  pdf.Object("<< /Length " + std::to_string(drawing.size()) + " >>\nstream\n" + drawing +
             "\nendstream");
  pdf.Object("<< /Creator (montage-designer) /Producer (montage-designer) >>");
  pdf.Begin();
  pdf.Add("6 0 obj\n<< /Type /XObject /Subtype /Image /Width " + w + " /Height " +
          std::to_string(height) +
          " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode"
          " /DecodeParms << /Predictor 15 /Colors 3 /BitsPerComponent 8 /Columns " +
          w + " >> /Length " + std::to_string(streamSize) + " >>\nstream\n");
  QByteArray& bytes = pdf.Bytes();
  const qsizetype at = bytes.size();
  bytes.resize(at + static_cast<qsizetype>(streamSize));
  DeflatePieces::Join(rows, reinterpret_cast<std::uint8_t*>(bytes.data() + at));
  pdf.Add("\nendstream\nendobj\n");

  const qsizetype xref = bytes.size();
  const std::vector<qsizetype>& offsets = pdf.Offsets();
  pdf.Add("xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n");
  for (const qsizetype offset : offsets) {
    std::array<char, 24> entry{};
    std::snprintf(entry.data(), entry.size(), "%010lld 00000 n \n", static_cast<long long>(offset));
    pdf.Add(entry.data());
  }
  pdf.Add("trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
          " /Root 1 0 R /Info 5 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n");
  return bytes;
}
