#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "platform/Profile.h"

class CMainFrame;
class CMontageDoc;

// The designer's application object: its start-up makes the profile, the preview settings and
// the image cache ready, records the version, starts the updater, and makes the document and the
// main window; its end stores what the user set. A QApplication must exist for its lifetime.
class CMontageApp {
 public:
  CMontageApp();
  ~CMontageApp();
  CMontageApp(const CMontageApp&) = delete;
  CMontageApp& operator=(const CMontageApp&) = delete;

  // The start-up sequence for the program installed in installFolder (with its sample
  // pictures and, perhaps, the updater). arguments are the program's arguments after its name;
  // the first one names a layout file to open, as Open does. False ends the program.
  bool InitInstance(const QStringList& arguments, const std::string& installFolder);
  // Stores the recent files and the preview settings; called when the event loop has ended.
  void ExitInstance();

  const std::string& InstallFolder() const { return installFolder_; }
  CMontageDoc& Document() const { return *document_; }
  CMainFrame& MainFrame() const { return *frame_; }
  Profile& UserProfile() { return profile_; }

 private:
  Profile profile_;
  std::string installFolder_;
  std::unique_ptr<CMontageDoc> document_;
  std::unique_ptr<CMainFrame> frame_;
};

// Runs the designer window until it is closed and returns the program's exit status.
int RunDesigner(int argc, char** argv);
