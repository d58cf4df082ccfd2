#include "settings/Module1.h"

#include "settings/keys.h"
#include "settings/registry.h"

void OpenSettingsSection(registry& reg)
{
    reg.setAppname(SettingsKeys::AppName);
    reg.setSection(SettingsKeys::Section);
}

bool WriteDefaultSettings()
{
    registry reg;
    OpenSettingsSection(reg);
    for (const auto& entry : SettingsKeys::Defaults) {
        reg.setKey(entry.key);
        reg.setSetting(entry.text);
        if (!reg.RegSave())
            return false;
    }
    return true;
}
