#include "shell/CMontageApp.h"

#include <QApplication>
#include <QFile>

#include "images/ImageCache.h"
#include "platform/InstallFolder.h"
#include "platform/QtQuestions.h"
#include "settings/PreviewSettings.h"
#include "shell/ApplicationIcon.h"
#include "shell/CMainFrame.h"
#include "shell/CMontageDoc.h"
#include "shell/SoftwareChangesDlg.h"
#include "shell/Updater.h"
#include "shell/VersionCheck.h"

namespace {

// The image cache keeps this many pictures for the preview: the sample, the background and the
// logo, with room to spare.
constexpr std::uint32_t kCacheEntries = 5;

void ShowRecentChanges() {
  SoftwareChangesDlg changes(QApplication::activeWindow());
  changes.exec();
}

}  // namespace

CMontageApp::CMontageApp() = default;

CMontageApp::~CMontageApp() {
  frame_.reset();
  document_.reset();
}

bool CMontageApp::InitInstance(const QStringList& arguments, const std::string& installFolder) {
  installFolder_ = installFolder;
  // The first use of the preview settings loads them from the user's profile.
  PreviewSettings::Instance().SetInstallFolder(installFolder_);
  ImageCache::Instance().Resize(kCacheEntries, true);
  CheckVersion(profile_, ShowRecentChanges);
  StartUpdater(profile_, installFolder_);

  document_ = std::make_unique<CMontageDoc>(profile_);
  frame_ = std::make_unique<CMainFrame>(*document_, profile_);
  document_->SetVersionTitle();
  frame_->UpdateCaption();
  frame_->show();
  // A layout named on the command line opens as Open opens it, once the window can own the
  // messages that reading it may show.
  if (!arguments.isEmpty())
    document_->OpenLayout(QFile::encodeName(arguments.front()).toStdString());
  return true;
}

void CMontageApp::ExitInstance() {
  frame_.reset();  // the form stores the recent files as it goes
  PreviewSettings::Instance().Store(profile_);
  profile_.Flush();
}

int RunDesigner(int argc, char** argv) {
  QApplication application(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("Larkfield"));
  QCoreApplication::setApplicationName(QStringLiteral("Montage"));
  QApplication::setWindowIcon(ApplicationIcon());
  // Desktops match the window to the installed desktop entry, and so to its name and icon in
  // their launchers and task switchers, by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(MONTAGE_APP_ID));
  // Questions are asked in boxes and dialogs over the window that is active.
  QtQuestions questions;
  ModalQuestions::Install(&questions);
  int status = 1;
  {
    CMontageApp app;
    if (app.InitInstance(QApplication::arguments().mid(1), FindInstallFolder())) {
      status = QApplication::exec();
      app.ExitInstance();
    }
  }
  ModalQuestions::Install(nullptr);
  return status;
}
