#include "settings/settingsbatch.h"

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
