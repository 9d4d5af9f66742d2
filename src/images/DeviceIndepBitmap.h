#pragma once

#include <memory>
#include <string>

#include "images/CropGeometry.h"
#include "images/DecodeTarget.h"
#include "images/ImageError.h"
#include "platform/DeviceContext.h"

class PLExifData;
class PLFilter;
class PLJPEGDecoder;
class PLTextException;
class PLWinBmp;

namespace ZodarEdo {

// Pixels per inch across and down, as the file declared them (0 when it did not).
struct PictureResolution {
  int X = 0;
  int Y = 0;
};

// The application's picture: a 32-bit PLWinBmp with the Exif data read with it, the quarter
// turns applied since it was loaded, and the last error. No toolkit exception leaves it: an
// operation that fails records an ImageError in the object and returns false. Pictures are held
// by std::shared_ptr; copying is done by assignment into another object.
class DeviceIndepBitmap {
 public:
  DeviceIndepBitmap();
  ~DeviceIndepBitmap();
  DeviceIndepBitmap(const DeviceIndepBitmap&) = delete;
  // Makes this object a deep copy of source: pixels, Exif data, rotation and error.
  DeviceIndepBitmap& operator=(const DeviceIndepBitmap& source);
  // The same copy, telling whether it succeeded. After a failure the error is recorded, the
  // pixels are as they were and the other fields are not copied.
  bool Assign(const DeviceIndepBitmap& source);
  // The same copy of only the box of source (right and bottom exclusive), as Assign and then
  // Crop would make it but copying the box's pixels alone; a box that Crop would not cut copies
  // the whole picture.
  bool AssignCut(const DeviceIndepBitmap& source, const CropBox& box);

  // Decodes the file at 32 bits per pixel and, when both limits are positive, shrinks it to fit
  // them: first by the decoder's reduction, as far as it still covers the fitted size, then by
  // a bilinear resize. A file without Exif data leaves the Exif data of an earlier load in place.
  ImageError LoadJpegFile(const std::string& path, PLJPEGDecoder& decoder, int maxWidth = 0,
                          int maxHeight = 0);
  // Decodes the file at the coarsest reduction whose cut still covers the target's cell.
  ImageError LoadJpegFile(const std::string& path, PLJPEGDecoder& decoder,
                          const DecodeTarget& target);

  ImageError GetError() const { return error_; }
  void ClearError() { error_ = {}; }
  // Drops pixels and Exif data, clears the error and the rotation.
  void Release();

  bool HasPixels() const { return pixels_ != nullptr; }
  // The picture's size, or the 16 x 16 of an empty toolkit bitmap without pixels.
  PictureSize GetSize() const;
  bool IsLandscape() const;
  int Rotation() const { return rotation_; }
  // How the pixels were decoded: the reduction (1, 2, 4 or 8; 0 without a load) and the size
  // the file declared.
  int Reduction() const { return reduction_; }
  PictureSize DeclaredSize() const { return declaredSize_; }
  // Bits per pixel of the pixels, 0 without pixels.
  int BitsPerPixel() const;
  PictureResolution Resolution() const;
  // A numeric Exif value by the toolkit's tag name (such as "main.ori"), 0 when the picture has
  // no Exif data or no such entry.
  double ExifValue(const std::string& tag) const;

  // Pixel operations. Each returns true on success, also when it had nothing to do (and always
  // without pixels), and false after recording a toolkit error.
  // Keeps the rectangle (right and bottom exclusive) when it lies inside the picture.
  bool Crop(int left, int top, int right, int bottom);
  bool CropToRatio(double first, double second, int zoom, int verticalShift, int horizontalShift);
  // Quarter turns clockwise.
  bool RotateBy(int turn);
  // Turns the picture so that Rotation() becomes target (taken modulo 4).
  bool SetRotation(int target);
  bool AdjustColour(int red, int green, int blue, bool balanced);
  bool AdjustHsb(int hue, int saturation, int brightness);
  bool AdjustContrast(int amount);
  bool AdjustLightness(int amount, bool additive);
  // A grey picture, still 32 bits per pixel; reports only the failure of the grey conversion.
  bool MakeGreyscale();

  // Draws the picture into the rectangle with the colour of its top-left pixel transparent: a
  // pixel whose four bytes differ from it by at most tolerance in sum leaves the surface as it
  // was. False without pixels, or after recording a toolkit error.
  bool DrawColourKeyed(DeviceContext& dc, int x, int y, int width, int height, int tolerance);

  // Draws the whole picture stretched into the rectangle whose corner is (x, y), in the surface's
  // logical units; a negative height draws downwards from y. Whole pixels are dropped or
  // repeated. Nothing is drawn without pixels.
  void DrawStretched(DeviceContext& dc, int x, int y, int width, int height, RasterOp op) const;
  // The same with only part of the picture: the box from (left, top) to (right, bottom), right
  // and bottom exclusive, rows counted from the top. A box outside the picture draws nothing.
  void DrawPartStretched(DeviceContext& dc, int x, int y, int width, int height, int left, int top,
                         int right, int bottom, RasterOp op) const;

  // The picture's toolkit pixels, or null without pixels.
  const PLWinBmp* Pixels() const { return pixels_.get(); }
  // The Exif data of the last loaded file that had some, or null.
  const PLExifData* ExifData() const { return exif_.get(); }

  // Turns a toolkit failure into this object's error and returns it.
  ImageError RecordToolkitError(const PLTextException& exception);

 private:
  // The one way a file is loaded: reduced for the target, or for the fitted size when the
  // limits are positive, then resized to fit them.
  ImageError Load(const std::string& path, PLJPEGDecoder& decoder, const DecodeTarget& target,
                  int maxWidth, int maxHeight);
  // Runs a toolkit step; a PLTextException is recorded and gives false.
  template <typename Step>
  bool Run(Step step);
  // Assign, with the pixels made by cut from source's when it is given.
  bool CopyOf(const DeviceIndepBitmap& source, const PLFilter* cut);
  // Replaces the pixels with the result of a filter that changes their size.
  void ReplaceWithResized(const PLFilter& filter);

  std::unique_ptr<PLWinBmp> pixels_;
  std::unique_ptr<PLExifData> exif_;
  ImageError error_;
  int rotation_ = 0;
  int reduction_ = 0;
  PictureSize declaredSize_;
};

}  // namespace ZodarEdo
