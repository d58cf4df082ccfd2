#include "settings/settingsfile.h"

#include <QStandardPaths>

QString SettingsFilePath(const QString& appName)
{
#ifdef Q_OS_WIN
    Q_UNUSED(appName);
    return {};
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + appName + QStringLiteral(".ini");
#endif
}

std::unique_ptr<QSettings> OpenSettingsStore(const QString& appName)
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + appName,
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(SettingsFilePath(appName), QSettings::IniFormat);
#endif
}
