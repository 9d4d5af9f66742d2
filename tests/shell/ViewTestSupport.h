#pragma once

#include <QApplication>
#include <QImage>
#include <memory>

#include "engine/RenderTestSupport.h"
#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "settings/PreviewSettings.h"
#include "shell/CMontageDoc.h"
#include "shell/CMontageView.h"
#include "shell/PreviewGeometry.h"
#include "support/ScratchFolder.h"

// A document and its preview on the offscreen platform, with the built sample pictures as the
// preview values, a private profile and scripted questions.
class ViewFixture {
 public:
  ViewFixture() {
    PreviewSettings::ReplaceInstance(BuiltSamples());
    view = std::make_unique<CMontageView>(document);
  }
  ~ViewFixture() { view.reset(); }

  PreviewSettings& Settings() { return PreviewSettings::Instance(); }
  // Pixels that make the given number of logical units across on the screen.
  int PixelsX(int logical) const {
    return static_cast<int>(PreviewGeometry::Pixels(logical, view->logicalDpiX()));
  }
  int PixelsY(int logical) const {
    return static_cast<int>(PreviewGeometry::Pixels(logical, view->logicalDpiY()));
  }
  // Shows the view with a client area of the given logical size and waits for its first fit.
  void ShowWithClient(int logicalWidth, int logicalHeight) {
    view->resize(PixelsX(logicalWidth), PixelsY(logicalHeight));
    view->show();
    for (int i = 0; i < 100 && !view->FittedOnce(); ++i) QApplication::processEvents();
  }
  // What the view shows: a paint as an expose would ask it.
  QImage Grab() { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  ScratchFolder folder{"montage-view"};
  Profile profile{(folder.Path() / "profile.ini").string()};
  CMontageDoc document{profile};
  ScopedScriptedQuestions questions;
  std::unique_ptr<CMontageView> view;
};
