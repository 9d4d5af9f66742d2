#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "images/PictureProblem.h"
#include "output/CompositeOutput.h"

class CompositeSubjects;
class ImageCache;
class Montage;
class PreviewSettings;
class QImage;

// A composite to draw with the preview's subjects (the class list or the samples) and write to a
// file.
struct ExportRequest {
  std::string Path;
  OutputFormat Format = OutputFormat::Png;
  std::uint32_t Dpi = 300;
};

// How an export ended. TooSmall and TooLarge mean the request itself cannot be met at its
// resolution and nothing was drawn; SampleUnreadable that no cell could be made without the
// sample picture; Failed that drawing or writing went wrong. Message says why in every failure,
// without the program's name, and for the sample in the words the window shows for it. After
// Written it may hold a remark worth passing on, such as a page left blank for want of images.
// A class list that cannot be read fails before anything is drawn; pictures of a class that
// cannot be had are listed in Problems, their cells drawn without them.
struct ExportResult {
  enum class Status { Written, TooSmall, TooLarge, SampleUnreadable, Failed };
  Status Outcome = Status::Written;
  std::string Message;
  std::vector<PictureProblem> Problems;
  // The smallest size a name was fitted to, in tenths of a point; 0 when no name was drawn. A
  // name fitted far below the layout's size is hard to read on the print.
  std::uint32_t SmallestNameTenths = 0;

  bool Succeeded() const { return Outcome == Status::Written; }
};

// The largest picture an export draws, in pixels (1 GiB at four bytes a pixel).
inline constexpr std::int64_t MaxExportPixels = std::int64_t{1} << 28;

// Draws the composite of the layout on the preview paper of the settings, with the class list
// they name or else their sample pictures and number of images, at the request's resolution,
// and writes it. The file is written
// beside the target and renamed over it, so a failure never leaves half a file.
ExportResult ExportComposite(const Montage& layout, const PreviewSettings& settings,
                             ImageCache& cache, const ExportRequest& request);

// The same for subjects chosen by the caller, such as one group of a school, instead of those
// the settings name; the rest of the settings (paper, captions, the missing-pictures policy)
// apply as above. The subjects' class list error, if they carry one, fails the export.
ExportResult ExportComposite(const Montage& layout, const PreviewSettings& settings,
                             ImageCache& cache, const CompositeSubjects& subjects,
                             const ExportRequest& request);

// Draws the composite of the subjects at dpi into picture, the paper's size, without writing
// it; the result is the export's but for writing, and picture stays null after a failure. A
// proof page is drawn so.
ExportResult DrawCompositePicture(const Montage& layout, const PreviewSettings& settings,
                                  ImageCache& cache, const CompositeSubjects& subjects,
                                  std::uint32_t dpi, QImage& picture);
