#include "support/testenvironment.h"

#include "settings/inidocument.h"
#include "settings/keys.h"
#include "settings/settingsfile.h"

#include <QFile>
#include <QSettings>

TemporarySettings::TemporarySettings() : m_previous(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
}

TemporarySettings::~TemporarySettings()
{
    qputenv("XDG_CONFIG_HOME", m_previous);
}

QString TemporarySettings::FilePath() const
{
    return SettingsFilePath(SettingsKeys::AppName);
}

QByteArray TemporarySettings::FileBytes() const
{
    QFile file(FilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TemporarySettings::Stored(const QString& key) const
{
    return IniDocument::Parse(FileBytes()).Value(SettingsKeys::Section, key).value_or(QString());
}

bool TemporarySettings::Has(const QString& key) const
{
    return IniDocument::Parse(FileBytes()).Value(SettingsKeys::Section, key).has_value();
}

void TemporarySettings::Store(const QString& key, const QString& value)
{
    QSettings store(FilePath(), QSettings::IniFormat);
    store.setValue(QString(SettingsKeys::Section) + QLatin1Char('/') + key, value);
}

QString TemporarySettings::StoredByEarlierVersions(const QString& key) const
{
    QSettings earlier(FilePath(), QSettings::IniFormat);
    const QVariant value = earlier.value(QString(SettingsKeys::Section) + QLatin1Char('/') + key);
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',')
                                                    : value.toString();
}
