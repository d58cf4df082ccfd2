#include "settings/settingsbatch.h"

#include "settings/registry.h"
#include "settings/settingsfile.h"

SettingsBatch::SettingsBatch(QString appName, QString section)
    : m_appName(std::move(appName)), m_section(std::move(section))
{
}

void SettingsBatch::Set(const QString& key, const QString& text)
{
    m_values.append({key, text});
}

void SettingsBatch::OnlyWhile(const QString& key, std::function<bool(const QString&)> test)
{
    m_testKey = key;
    m_test = std::move(test);
}

SettingsBatch::Result SettingsBatch::Save()
{
    const QString path = SettingsFilePath(m_appName);
    if (path.isEmpty())
        return saveKeyByKey();
    bool skipped = false;
    const bool stored = UpdateSettingsFile(path, [this, &skipped](IniDocument& document) {
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

// A store of single values (the Windows registry) has no file to replace: each value is
// written on its own, and a failing one ends the save there.
SettingsBatch::Result SettingsBatch::saveKeyByKey()
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
