#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <string>

#include "layout/Montage.h"
#include "platform/Profile.h"
#include "settings/PreviewSettings.h"
#include "shell/CMontageDoc.h"
#include "shell/CMontageView.h"

// A document and its preview shown at 1600 x 1000 and fitted, with NumImages images or the
// class of a class list or portrait index, for the preview's benchmarks. The settings start
// from the built-in values with the built sample pictures, never the user's profile. A layout
// file, when given, is read before the view is shown; the default layout stands otherwise.
// Needs a QApplication; the benchmark programs make one on the offscreen platform.
class ShownPreview {
 public:
  explicit ShownPreview(std::uint32_t numImages, const std::string& classList = {},
                        const std::string& layoutFile = {}) {
    PreviewSettings settings;
    settings.SetInstallFolder(MONTAGE_SAMPLE_FOLDER);
    settings.NumImages = numImages;
    settings.ClassListPath = classList;
    PreviewSettings::ReplaceInstance(settings);
    layoutRead_ = layoutFile.empty() || document_.ReadLayoutFile(layoutFile);
    view_.resize(1600, 1000);
    view_.show();
    for (int i = 0; i < 100 && !view_.FittedOnce(); ++i) QApplication::processEvents();
    // The first drawing decodes the pictures into the image cache.
    view_.viewport()->repaint();
  }
  CMontageView& View() { return view_; }
  CMontageDoc& Document() { return document_; }
  Montage& Layout() { return document_.layout(); }
  // False when the layout file given could not be read, and the default layout is shown.
  bool LayoutRead() const { return layoutRead_; }

 private:
  QTemporaryDir folder_;
  Profile profile_{folder_.filePath("profile.ini").toStdString()};
  CMontageDoc document_{profile_};
  CMontageView view_{document_};
  bool layoutRead_ = true;
};
