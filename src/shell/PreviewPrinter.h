#pragma once

#include <memory>

#include "platform/Rect.h"

class Montage;
class PreviewSettings;
class QPrinter;

// The print command: one page, turned as the layout's paper is, showing the composite laid out
// anew for the printer's printable area. The printer keeps the user's choices from one print
// command to the next, as the application's printer settings do.
class PreviewPrinter {
 public:
  PreviewPrinter();
  ~PreviewPrinter();
  PreviewPrinter(const PreviewPrinter&) = delete;
  PreviewPrinter& operator=(const PreviewPrinter&) = delete;

  // Asks the print dialog and prints when the user says so. A job that cannot be started is
  // reported through the modal questions.
  void Print(const Montage& layout, const PreviewSettings& settings);

  // The printer's printable area in tenths of a millimetre, from (0, 0).
  static Rect PrintablePage(const QPrinter& printer);
  // The resolution the page is drawn at: the printer's, at most MaximumDpi, and lower still when
  // the page would take more than MaximumPixels.
  static int DrawingDpi(const QPrinter& printer, const Rect& page);

  // Past 300 dpi a printed photograph gains nothing visible, while the picture's memory grows
  // with the square of the resolution (a high-resolution PDF printer reports 1200).
  static constexpr int MaximumDpi = 300;
  static constexpr long long MaximumPixels = 1LL << 26;

 private:
  std::unique_ptr<QPrinter> printer_;
};
