#include "settings/settingsbatch.h"

#include "settings/settingsfile.h"

SettingsBatch::Result SettingsBatch::Save()
{
    bool skipped = false;
    const bool stored =
        UpdateSettingsFile(SettingsFilePath(m_appName), [this, &skipped](IniDocument& document) {
            skipped = m_test && !m_test(document.Value(m_section, m_testKey).value_or(QString()));
            if (skipped)
                return false;
            bool changed = false;
            for (const auto& [key, text] : m_values)
                changed |= document.SetValue(m_section, key, text);
            return changed;
        });
    if (!stored)
        return Result::Failed;
    return skipped ? Result::Skipped : Result::Saved;
}
