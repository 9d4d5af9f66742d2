#pragma once

#include "settings/PreviewSettings.h"

// The preview values with the sample pictures the build drew beside the executable.
inline PreviewSettings BuiltSamples() {
  PreviewSettings settings;
  settings.SetInstallFolder(MONTAGE_BINARY_DIR);
  return settings;
}
