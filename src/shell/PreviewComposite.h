#pragma once

#include <cstddef>

#include "platform/Rect.h"

class DeviceContext;
class DisplayConverter;
class Montage;
class PreviewSettings;

// What one drawing of the preview showed: the small images and whether the main image was
// drawn on its own.
struct PreviewDrawn {
  std::size_t SmallImages = 0;
  bool MainImage = false;
};

// Draws the layout's composite with the class list the settings name, when it can be read (of a
// school's list, the group the settings choose, see PreviewGroup), or else the preview's sample
// subjects (NumImages of the settings, the main image included) on the
// page rectangle in layout units, through the composite renderer. A class list that cannot be
// read, or class pictures that cannot be drawn, are told once through the modal questions, not
// again on every redraw. The screen and the printer both draw through here; only the surface
// and the converter differ.
PreviewDrawn DrawPreviewComposite(DeviceContext& dc, const DisplayConverter& converter,
                                  const Montage& layout, const PreviewSettings& settings,
                                  const Rect& page);
