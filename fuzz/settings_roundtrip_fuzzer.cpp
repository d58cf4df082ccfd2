// The settings dialog's load and save on any settings file, at the level of the store it
// relies on: no stored value changes unless the user changed it.
//
// Input: one byte choosing the key the user changes, one byte giving the length of the new
// text, the new text's bytes, then the settings file.
#include "fuzzsettingsfolder.h"
#include "settings/inidocument.h"
#include "settings/keys.h"
#include "settings/Module1.h"
#include "settings/registry.h"
#include "settings/settingsfile.h"

#include <array>
#include <cstdlib>

namespace {

constexpr qsizetype KeyCount = qsizetype(SettingsKeys::Defaults.size());

registry openRegistry()
{
    registry reg;
    OpenSettingsSection(reg);
    return reg;
}

QString read(registry& reg, QLatin1StringView key)
{
    reg.setKey(key);
    if (!reg.RegGet())
        std::abort(); // our own regular file is always readable
    return reg.Setting();
}

void save(registry& reg, QLatin1StringView key, const QString& text)
{
    reg.setKey(key);
    reg.setSetting(text);
    if (!reg.RegSave())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    UseFuzzSettingsFolder("vokabo-roundtrip-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const qsizetype changed = data[0] % KeyCount;
    const qsizetype textLength = qMin<qsizetype>(data[1], qsizetype(size) - 2);
    const QString newText =
        FromStoredBytes(QByteArrayView(reinterpret_cast<const char*>(data) + 2, textLength));
    const QByteArray file(reinterpret_cast<const char*>(data) + 2 + textLength,
                          qsizetype(size) - 2 - textLength);

    const QString path = SettingsFilePath(SettingsKeys::AppName);
    WriteWholeFile(path, file);
    const IniDocument original = IniDocument::Parse(file);

    // Load: every key as it reads now.
    registry reg = openRegistry();
    std::array<QString, SettingsKeys::Defaults.size()> before;
    for (qsizetype i = 0; i < KeyCount; ++i)
        before[i] = read(reg, SettingsKeys::Defaults[i].key);

    // OK without a change: the keys that are there go back unchanged, byte for byte.
    for (qsizetype i = 0; i < KeyCount; ++i) {
        const auto key = SettingsKeys::Defaults[i].key;
        if (original.Value(SettingsKeys::Section, key))
            save(reg, key, before[i]);
    }
    if (ReadWholeFile(path) != file)
        std::abort();

    // OK after the user changed one key: that key reads as typed, every other as before.
    for (qsizetype i = 0; i < KeyCount; ++i)
        save(reg, SettingsKeys::Defaults[i].key, i == changed ? newText : before[i]);
    for (qsizetype i = 0; i < KeyCount; ++i) {
        if (read(reg, SettingsKeys::Defaults[i].key) != (i == changed ? newText : before[i]))
            std::abort();
    }
    if (file.startsWith("\xEF\xBB\xBF") && !ReadWholeFile(path).startsWith("\xEF\xBB\xBF"))
        std::abort();
    return 0;
}
