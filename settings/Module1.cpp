#include "settings/Module1.h"

#include "settings/keys.h"
#include "settings/numeric.h"
#include "settings/registry.h"
#include "settings/settingsbatch.h"

namespace {

SettingsBatch defaultsBatch()
{
    SettingsBatch batch(SettingsKeys::AppName, SettingsKeys::Section);
    for (const auto& entry : SettingsKeys::Defaults)
        batch.Set(entry.key, entry.text);
    return batch;
}

} // namespace

void OpenSettingsSection(registry& reg)
{
    reg.setAppname(SettingsKeys::AppName);
    reg.setSection(SettingsKeys::Section);
}

bool WriteDefaultSettings()
{
    return defaultsBatch().Save() == SettingsBatch::Result::Saved;
}

FirstRunDefaults WriteDefaultSettingsAtFirstRun()
{
    SettingsBatch batch = defaultsBatch();
    batch.OnlyWhile(SettingsKeys::nprvni, [](const QString& text) { return !IsNumeric(text); });
    switch (batch.Save()) {
    case SettingsBatch::Result::Saved:
        return FirstRunDefaults::Written;
    case SettingsBatch::Result::Skipped:
        return FirstRunDefaults::NotNeeded;
    case SettingsBatch::Result::Failed:
        break;
    }
    return FirstRunDefaults::Failed;
}
