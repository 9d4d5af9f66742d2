#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Makes JPEG files inside the tests, so that no picture has to be downloaded or checked in.
namespace testsupport {

enum class JpegKind { Colour, Greyscale, Cmyk };

struct JpegOptions {
  int width = 64;
  int height = 48;
  JpegKind kind = JpegKind::Colour;
  int quality = 90;
  bool progressive = false;
  // The JFIF header and its density; densityUnit 1 is dots per inch, 2 dots per centimetre.
  bool jfif = true;
  int densityUnit = 1;
  int xDensity = 72;
  int yDensity = 72;
};

// Components per pixel of a kind: 3 (red, green, blue), 1 or 4 (cyan, magenta, yellow, black).
int ComponentsOf(JpegKind kind);

// Samples of a picture that compresses like a photograph: smooth gradients, rings and a little
// noise, never one flat colour. The same arguments always give the same samples.
std::vector<std::uint8_t> PhotoLikeSamples(int width, int height, int components,
                                           std::uint32_t seed = 1);

// Encodes the samples (rows top-down, ComponentsOf(options.kind) bytes per pixel).
std::vector<std::uint8_t> EncodeJpeg(const JpegOptions& options,
                                     const std::vector<std::uint8_t>& samples);
// A greyscale picture of one level everywhere, made a row at a time: a picture of a hundred
// megapixels takes a few hundred kilobytes and no more memory than one row.
std::vector<std::uint8_t> EncodeFlatJpeg(JpegOptions options, std::uint8_t level);
// Encodes PhotoLikeSamples of the options' size.
std::vector<std::uint8_t> EncodeJpeg(const JpegOptions& options = {});

// Inserts an APP1 segment with the payload after the start of image and any JFIF segment.
std::vector<std::uint8_t> InsertApp1(const std::vector<std::uint8_t>& jpeg,
                                     const std::vector<std::uint8_t>& payload);

// The JPEG with the size in its frame header replaced, as a damaged or hostile file may claim.
std::vector<std::uint8_t> WithDeclaredSize(std::vector<std::uint8_t> jpeg, int width, int height);

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// One marker segment of a JPEG file before its first scan: the marker (0xE0 for APP0, 0xDB for
// a quantisation table...) and the bytes after its length.
struct JpegSegment {
  std::uint8_t marker = 0;
  std::vector<std::uint8_t> payload;
};

// The segments from the start of image to the first scan, in file order; a file cut short ends
// the list where it breaks off.
std::vector<JpegSegment> JpegSegments(const std::vector<std::uint8_t>& jpeg);

// The payloads of the quantisation table segments, joined in file order: what sets a JPEG's
// quality.
std::vector<std::uint8_t> QuantisationTables(const std::vector<std::uint8_t>& jpeg);

}  // namespace testsupport
