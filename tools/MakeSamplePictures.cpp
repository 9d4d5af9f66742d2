// Draws the sample pictures that the preview shows (a portrait, a background and a logo) and
// writes them as JPEG files into the folder given on the command line. The build runs it so
// that the pictures are our own and the same on every build.

#include <QImage>
#include <iostream>
#include <string>

#include "BackgroundPicture.h"
#include "CrestPicture.h"
#include "JpegWriter.h"
#include "PortraitPicture.h"

namespace {

struct SamplePicture {
  const char* fileName;
  QImage (*draw)(int, int);
  int width;
  int height;
  JpegWriter writer;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 3 && std::string(argv[2]) == "--png")) {
    std::cerr << "usage: make-sample-pictures FOLDER [--png]\n";
    return 2;
  }
  const std::string folder = argv[1];
  const bool png = argc == 3;

  // The logo is stored at a high quality with full colour resolution: compression then moves no
  // pixel of the white ground further from white than the default transparency tolerance, so
  // colour keying removes all of it and leaves no halo round the crest.
  const SamplePicture pictures[] = {
      {"SampleImage.jpg", PortraitPicture::Draw, 800, 1000, JpegWriter(90, false)},
      {"SampleBackground.jpg", BackgroundPicture::Draw, 1500, 1200, JpegWriter(90, false)},
      {"SampleLogo.jpg", CrestPicture::Draw, 400, 400, JpegWriter(98, true)},
  };
  for (const SamplePicture& picture : pictures) {
    const QImage image = picture.draw(picture.width, picture.height);
    const std::string path = folder + "/" + picture.fileName;
    std::string error;
    if (!picture.writer.Write(image, path, error)) {
      std::cerr << "make-sample-pictures: " << error << '\n';
      return 1;
    }
    // A lossless copy for looking at the drawing itself, apart from the compression.
    if (png && !image.save(QString::fromStdString(path + ".png"), "PNG")) {
      std::cerr << "make-sample-pictures: Cannot write " << path << ".png\n";
      return 1;
    }
  }
  return 0;
}
