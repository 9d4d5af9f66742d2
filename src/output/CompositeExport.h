#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "images/PictureProblem.h"
#include "output/CompositeOutput.h"

class ImageCache;
class Montage;
class PreviewSettings;

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
