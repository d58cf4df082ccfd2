#include "settings/registry.h"

#include "settings/settingsfile.h"

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
