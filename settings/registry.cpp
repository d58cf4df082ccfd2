#include "settings/registry.h"

#include "settings/settingsfile.h"

#ifdef Q_OS_WIN

#include <QSettings>
#include <QStringList>

namespace {

// A value edited by hand with a comma in it ("2,5") comes back from QSettings as a list; the
// store is a store of texts, so put it back together.
QString asText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

bool registry::RegGet()
{
    auto store = OpenRegistryKey(sAppName);
    store->sync(); // pick up what another process wrote since this process last looked
    sSetting = asText(store->value(sSection + QLatin1Char('/') + sKey));
    return store->status() == QSettings::NoError;
}

bool registry::RegSave()
{
    auto store = OpenRegistryKey(sAppName);
    store->setValue(sSection + QLatin1Char('/') + sKey, sSetting);
    store->sync();
    return store->status() == QSettings::NoError;
}

bool registry::RegDel()
{
    auto store = OpenRegistryKey(sAppName);
    store->remove(sSection + QLatin1Char('/') + sKey);
    store->sync();
    return store->status() == QSettings::NoError;
}

#else

// The file is read afresh by every call: another process may have written it meanwhile.

bool registry::RegGet()
{
    const auto document = ReadSettingsFile(SettingsFilePath(sAppName));
    sSetting = document ? document->Value(sSection, sKey).value_or(QString()) : QString();
    return document.has_value();
}

bool registry::RegSave()
{
    // A file that cannot be read is never replaced: whatever it holds would be lost.
    return UpdateSettingsFile(SettingsFilePath(sAppName), [this](IniDocument& document) {
        return document.SetValue(sSection, sKey, sSetting);
    });
}

bool registry::RegDel()
{
    return UpdateSettingsFile(SettingsFilePath(sAppName), [this](IniDocument& document) {
        return document.Remove(sSection, sKey);
    });
}

#endif
