// Writes the seed corpora of the JPEG and Exif fuzzers into two folders: small pictures of each
// kind the decoder knows, with and without Exif data, and Exif segments in both byte orders with
// every directory and maker note the reader knows.
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "support/TestExif.h"
#include "support/TestJpeg.h"

using namespace testsupport;

namespace {

std::vector<std::uint8_t> ExifSeed(bool bigEndian, const char* make, const char* model,
                                   ExifField makerNote) {
  return ExifBuilder(bigEndian)
      .Main({AsciiField(0x010F, make), AsciiField(0x0110, model), ShortField(0x0112, 6),
             RationalField(0x011A, 72, 1)})
      .Sub({RationalField(0x829A, 1, 125), ByteField(0x9000, {'0', '2', '2', '0'}), makerNote})
      .Gps({RationalField(0x0002, 51, 1), AsciiField(0x0001, "N")})
      .Payload();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s JPEG-SEED-FOLDER EXIF-SEED-FOLDER\n", argv[0]);
    return 2;
  }
  const std::string jpegFolder = argv[1];
  const std::string exifFolder = argv[2];
  const std::vector<ExifField> notes = {ShortField(0x0001, 1), ShortField(0x0004, 2),
                                        AsciiField(0x1000, "NORMAL")};
  const std::vector<std::vector<std::uint8_t>> exif = {
      ExifSeed(false, "Canon", "EOS", CanonMakerNote(notes)),
      ExifSeed(true, "NIKON CORPORATION", "D70", NikonMakerNote(notes)),
      ExifSeed(false, "NIKON", "E950", OldNikonMakerNote(notes)),
      ExifSeed(true, "OLYMPUS", "C3030Z", OlympusMakerNote(notes)),
      ExifSeed(true, "FUJIFILM", "FinePix", FujiMakerNote(notes)),
      ExifSeed(false, "CASIO", "QV-2000UX", CanonMakerNote(notes)),
  };
  for (std::size_t i = 0; i < exif.size(); ++i) {
    // The Exif fuzzer adds the six-byte header itself.
    WriteFile(exifFolder + "/exif" + std::to_string(i),
              std::vector<std::uint8_t>(exif[i].begin() + 6, exif[i].end()));
  }

  const JpegOptions kinds[] = {
      {.width = 24, .height = 16},
      {.width = 17, .height = 9, .kind = JpegKind::Greyscale},
      {.width = 16, .height = 16, .kind = JpegKind::Cmyk, .jfif = false},
      {.width = 33,
       .height = 20,
       .progressive = true,
       .densityUnit = 2,
       .xDensity = 28,
       .yDensity = 28},
      {.width = 8, .height = 40, .kind = JpegKind::Greyscale, .progressive = true},
  };
  for (std::size_t i = 0; i < std::size(kinds); ++i) {
    const std::vector<std::uint8_t> jpeg = EncodeJpeg(kinds[i]);
    const std::string name = jpegFolder + "/jpeg" + std::to_string(i);
    WriteFile(name, jpeg);
    WriteFile(name + "-exif", InsertApp1(jpeg, exif[i % exif.size()]));
    WriteFile(name + "-cut",
              std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() / 2));
  }
  return 0;
}
