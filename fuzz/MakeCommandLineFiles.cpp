// Writes the files the command-line fuzzer reads into a folder: small stand-ins for the three
// sample pictures, so that the fuzzer finds them as its installation folder and decodes a few
// hundred pixels a run rather than the real samples' million, and the pictures its command lines
// may name: portrait, landscape, greyscale, turned by its Exif data, and cut short.
#include <cstdio>
#include <string>
#include <vector>

#include "support/TestExif.h"
#include "support/TestJpeg.h"

using namespace testsupport;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  WriteFile(folder + "SampleImage.jpg", EncodeJpeg({.width = 32, .height = 40}));
  WriteFile(folder + "SampleBackground.jpg", EncodeJpeg({.width = 40, .height = 30}));
  WriteFile(folder + "SampleLogo.jpg", EncodeJpeg({.width = 16, .height = 16}));

  WriteFile(folder + "portrait.jpg", EncodeJpeg({.width = 12, .height = 18}));
  WriteFile(folder + "wide.jpg", EncodeJpeg({.width = 24, .height = 10}));
  WriteFile(folder + "grey.jpg",
            EncodeJpeg({.width = 16, .height = 20, .kind = JpegKind::Greyscale}));
  // Orientation 6: the camera was turned a quarter to the right.
  WriteFile(folder + "turned.jpg",
            InsertApp1(EncodeJpeg({.width = 20, .height = 14}),
                       ExifBuilder(false).Main({ShortField(0x0112, 6)}).Payload()));
  const std::vector<std::uint8_t> whole = EncodeJpeg({.width = 16, .height = 16});
  WriteFile(folder + "cut.jpg",
            std::vector<std::uint8_t>(whole.begin(), whole.begin() + whole.size() / 2));
  return 0;
}
