#include "settings/settingsbatch.h"

#include "settings/registry.h"

// The registry is a store of single values with no file to replace: each value is written on
// its own, and a failing one ends the save there.
SettingsBatch::Result SettingsBatch::Save()
{
    registry reg;
    reg.setAppname(m_appName);
    reg.setSection(m_section);
    if (m_test) {
        reg.setKey(m_testKey);
        if (!reg.RegGet())
            return Result::Failed;
        if (!m_test(reg.Setting()))
            return Result::Skipped;
    }
    for (const auto& [key, text] : m_values) {
        reg.setKey(key);
        reg.setSetting(text);
        if (!reg.RegSave())
            return Result::Failed;
    }
    return Result::Saved;
}
