#include "platform/Profile.h"

#include <QSettings>
#include <QStringList>

namespace {

QString Key(const std::string& section, const std::string& name) {
  return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

}  // namespace

Profile::Profile() : settings_(std::make_unique<QSettings>("Larkfield", "Montage")) {}

Profile::Profile(const std::string& iniPath)
    : settings_(
          std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {}

Profile::~Profile() = default;

std::uint32_t Profile::ReadNumber(const std::string& section, const std::string& name,
                                  std::uint32_t fallback) const {
  const QVariant value = settings_->value(Key(section, name));
  // A hand-edited file may hold a list ("1, 2") or some other type; none of them is a number.
  if (!value.isValid() || value.typeId() == QMetaType::QStringList ||
      !value.canConvert<QString>()) {
    return fallback;
  }
  bool ok = false;
  const qlonglong number = value.toString().trimmed().toLongLong(&ok, 10);
  if (!ok || number < INT32_MIN || number > qlonglong{UINT32_MAX}) return fallback;
  return static_cast<std::uint32_t>(number);
}

std::string Profile::ReadText(const std::string& section, const std::string& name,
                              const std::string& fallback) const {
  const QVariant value = settings_->value(Key(section, name));
  if (!value.isValid()) return fallback;
  // An INI file splits an unquoted text at its commas; put it back together.
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(QStringLiteral(", ")).toStdString();
  }
  if (!value.canConvert<QString>()) return fallback;
  return value.toString().toStdString();
}

void Profile::WriteNumber(const std::string& section, const std::string& name,
                          std::uint32_t value) {
  // An unsigned int becomes a REG_DWORD in the Windows registry, as the numbers always were.
  settings_->setValue(Key(section, name), static_cast<uint>(value));
}

void Profile::WriteText(const std::string& section, const std::string& name,
                        const std::string& text) {
  settings_->setValue(Key(section, name), QString::fromStdString(text));
}

bool Profile::Flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

std::string Profile::FileName() const { return settings_->fileName().toStdString(); }
