#include "shell/Updater.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include "platform/Profile.h"

bool StartUpdater(const Profile& profile, const std::string& installFolder) {
  if (profile.ReadNumber(Profile::SettingsSection, "Updater", 1) == 0) return false;
  const QString folder = QString::fromStdString(installFolder);
  const QFileInfo updater(folder + QStringLiteral("Updater"));
  if (!updater.isFile() || !updater.isExecutable()) return false;
  return QProcess::startDetached(updater.absoluteFilePath(), {QStringLiteral("-quiet")}, folder);
}
