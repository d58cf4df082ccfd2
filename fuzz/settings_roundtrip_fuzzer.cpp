// The settings dialog's load and save on any settings file, at the level of the store it
// relies on: no stored value changes unless the user changed it. The store reads the file
// afresh for every key and rewrites it for every key that changes; this does the same in
// memory, so that thousands of files a second go through.
//
// Input: one byte choosing the key the user changes, one byte giving the length of the new
// text, the new text's bytes, then the settings file.
#include "settings/inidocument.h"
#include "settings/keys.h"

#include <array>
#include <cstdlib>

namespace {

constexpr qsizetype KeyCount = qsizetype(SettingsKeys::Defaults.size());

QString read(const QByteArray& file, QLatin1StringView key)
{
    return IniDocument::Parse(file).Value(SettingsKeys::Section, key).value_or(QString());
}

void save(QByteArray& file, QLatin1StringView key, const QString& text)
{
    IniDocument document = IniDocument::Parse(file);
    if (document.SetValue(SettingsKeys::Section, key, text))
        file = document.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const qsizetype changed = data[0] % KeyCount;
    const qsizetype textLength = qMin<qsizetype>(data[1], qsizetype(size) - 2);
    const QString newText =
        FromStoredBytes(QByteArrayView(reinterpret_cast<const char*>(data) + 2, textLength));
    const QByteArray original(reinterpret_cast<const char*>(data) + 2 + textLength,
                              qsizetype(size) - 2 - textLength);
    if (IniDocument::Parse(original).Bytes() != original)
        std::abort();

    // Load: every key as it reads now.
    std::array<QString, SettingsKeys::Defaults.size()> before;
    std::array<bool, SettingsKeys::Defaults.size()> present{};
    for (qsizetype i = 0; i < KeyCount; ++i) {
        const auto key = SettingsKeys::Defaults[i].key;
        before[i] = read(original, key);
        present[i] = IniDocument::Parse(original).Value(SettingsKeys::Section, key).has_value();
    }

    // OK without a change: the keys that are there go back unchanged, byte for byte.
    QByteArray file = original;
    for (qsizetype i = 0; i < KeyCount; ++i) {
        if (present[i])
            save(file, SettingsKeys::Defaults[i].key, before[i]);
    }
    if (file != original)
        std::abort();

    // OK after the user changed one key: that key reads as typed, every other as before,
    // and every line that is no key of ours is still there.
    for (qsizetype i = 0; i < KeyCount; ++i)
        save(file, SettingsKeys::Defaults[i].key, i == changed ? newText : before[i]);
    for (qsizetype i = 0; i < KeyCount; ++i) {
        if (read(file, SettingsKeys::Defaults[i].key) != (i == changed ? newText : before[i]))
            std::abort();
    }
    if (original.startsWith("\xEF\xBB\xBF") && !file.startsWith("\xEF\xBB\xBF"))
        std::abort();
    for (const QByteArray& line : QByteArray(original).replace('\r', '\n').split('\n')) {
        if (!line.contains('=') && !file.contains(line))
            std::abort();
    }
    return 0;
}
