#include "settings/registry.h"

#include "settings/settingsfile.h"

#include <QStringList>

namespace {

// An INI value edited by hand with a comma in it ("2,5") comes back from QSettings as a
// list; the store is a store of texts, so put it back together.
QString asText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

bool registry::RegGet()
{
    auto store = OpenSettingsStore(sAppName);
    store->sync(); // pick up what another process wrote since this process last looked
    sSetting = asText(store->value(sSection + QLatin1Char('/') + sKey));
    return store->status() == QSettings::NoError;
}

bool registry::RegSave()
{
    auto store = OpenSettingsStore(sAppName);
    if (store->status() != QSettings::NoError)
        return false;
    store->setValue(sSection + QLatin1Char('/') + sKey, sSetting);
    store->sync();
    return store->status() == QSettings::NoError;
}

bool registry::RegDel()
{
    auto store = OpenSettingsStore(sAppName);
    if (store->status() != QSettings::NoError)
        return false;
    store->remove(sSection + QLatin1Char('/') + sKey);
    store->sync();
    return store->status() == QSettings::NoError;
}
