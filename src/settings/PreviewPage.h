#pragma once

#include "platform/Rect.h"

class Montage;
class PreviewSettings;

// The page the preview draws on, in layout units: the preview paper, turned upright when the
// layout is for portrait paper.
Rect PreviewPage(const PreviewSettings& settings, const Montage& layout);
