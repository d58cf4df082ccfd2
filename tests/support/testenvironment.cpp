#include "support/testenvironment.h"

#include "settings/keys.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

TemporarySettings::TemporarySettings() : m_previous(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
}

TemporarySettings::~TemporarySettings() { qputenv("XDG_CONFIG_HOME", m_previous); }

QString TemporarySettings::FilePath() const { return SettingsFilePath(SettingsKeys::AppName); }

QString TemporarySettings::Stored(const QString& key) const
{
    QSettings store(FilePath(), QSettings::IniFormat);
    return store.value(QString(SettingsKeys::Section) + QLatin1Char('/') + key).toString();
}

bool TemporarySettings::Has(const QString& key) const
{
    QSettings store(FilePath(), QSettings::IniFormat);
    return store.contains(QString(SettingsKeys::Section) + QLatin1Char('/') + key);
}

void TemporarySettings::Store(const QString& key, const QString& value)
{
    QSettings store(FilePath(), QSettings::IniFormat);
    store.setValue(QString(SettingsKeys::Section) + QLatin1Char('/') + key, value);
}

void TemporarySettings::StoreAll(const QStringList& eightValues)
{
    for (qsizetype i = 0; i < eightValues.size(); ++i)
        Store(SettingsKeys::Defaults[i].key, eightValues[i]);
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

bool PermissionsDoNotApply()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return true; // folder permissions work differently there; these tests are for Unix
#endif
}
