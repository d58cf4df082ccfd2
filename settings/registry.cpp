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
    const QString path = SettingsFilePath(sAppName);
    auto document = ReadSettingsFile(path);
    // A file that cannot be read is never replaced: whatever it holds would be lost.
    if (!document)
        return false;
    if (!document->SetValue(sSection, sKey, sSetting))
        return true;
    return WriteSettingsFile(path, *document);
}

bool registry::RegDel()
{
    const QString path = SettingsFilePath(sAppName);
    auto document = ReadSettingsFile(path);
    if (!document)
        return false;
    if (!document->Remove(sSection, sKey))
        return true;
    return WriteSettingsFile(path, *document);
}
