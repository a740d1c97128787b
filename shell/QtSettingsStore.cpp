#include "QtSettingsStore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace radio {

namespace {

std::unique_ptr<QSettings> OpenSettings(const std::string& appName) {
    const QString name = QString::fromStdString(appName);
#ifdef _WIN32
    // The registry key itself, so that REG_DWORD values land where the
    // programs have always kept them.
    return std::make_unique<QSettings>(name.isEmpty()
                                           ? QStringLiteral("HKEY_CURRENT_USER\\Software")
                                           : QStringLiteral("HKEY_CURRENT_USER\\Software\\") + name,
                                       QSettings::NativeFormat);
#else
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                QStringLiteral("Software"), name);
    // Each program reads its own values only, never those of the shared
    // "Software" file of a program without AppName.
    settings->setFallbacksEnabled(false);
    return settings;
#endif
}

} // namespace

std::optional<std::uint32_t> CQtSettingsStore::ReadDword(const std::string& appName,
                                                         const std::string& valueName) {
    const std::unique_ptr<QSettings> settings = OpenSettings(appName);
    const QVariant value = settings->value(QString::fromStdString(valueName));
    if (!value.isValid()) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    // A REG_DWORD above 0x7FFFFFFF reads back as a negative int.
    if (!ok || number < INT32_MIN || number > static_cast<qlonglong>(UINT32_MAX)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(number);
}

void CQtSettingsStore::WriteDword(const std::string& appName, const std::string& valueName,
                                  std::uint32_t value) {
    const std::unique_ptr<QSettings> settings = OpenSettings(appName);
    // An unsigned int is what QSettings writes as REG_DWORD.
    settings->setValue(QString::fromStdString(valueName), QVariant::fromValue<uint>(value));
    settings->sync();
}

std::optional<std::string> CQtSettingsStore::ReadString(const std::string& appName,
                                                        const std::string& valueName) {
    const std::unique_ptr<QSettings> settings = OpenSettings(appName);
    const QVariant value = settings->value(QString::fromStdString(valueName));
    if (!value.isValid() || !value.canConvert<QString>()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

void CQtSettingsStore::WriteString(const std::string& appName, const std::string& valueName,
                                   const std::string& value) {
    const std::unique_ptr<QSettings> settings = OpenSettings(appName);
    settings->setValue(QString::fromStdString(valueName), QString::fromStdString(value));
    settings->sync();
}

} // namespace radio
