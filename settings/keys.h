#pragma once

#include <QString>

#include <QLatin1StringView>
#include <array>

namespace SettingsKeys {

inline constexpr QLatin1StringView AppName{"VKB_S"};
inline constexpr QLatin1StringView Section{"nastaveni"};

inline constexpr QLatin1StringView nprvni{"nprvni"};
inline constexpr QLatin1StringView ndruhy{"ndruhy"};
inline constexpr QLatin1StringView prvnicesky{"prvnicesky"};
inline constexpr QLatin1StringView pozice{"pozice"};
inline constexpr QLatin1StringView bpozadi{"bpozadi"};
inline constexpr QLatin1StringView btextu{"btextu"};
inline constexpr QLatin1StringView bstinu{"bstinu"};
inline constexpr QLatin1StringView obr{"obr"};
// "1" shows the pronunciation and the example with the words; absent or anything else, not.
// No first-run default: the saver looks as designed until the user asks.
inline constexpr QLatin1StringView vyslovnost{"vyslovnost"};
// Beside the eight first-run keys, which it is not one of: the lessons the saver leaves out;
// missing or empty leaves none out.
inline constexpr QLatin1StringView lekce{"lekce"};
// Minutes without input before the idle watcher starts the saver. Not among the first-run
// defaults: a missing value simply means the default time (settings/idletime.h).
inline constexpr QLatin1StringView necinnost{"necinnost"};

struct Default {
    QLatin1StringView key;
    QLatin1StringView text;
};

// In the order every reader and writer visits the keys.
inline constexpr std::array<Default, 8> Defaults{{
    {nprvni, QLatin1StringView{"3"}},
    {ndruhy, QLatin1StringView{"3"}},
    {prvnicesky, QLatin1StringView{"1"}},
    {pozice, QLatin1StringView{"0"}},
    {bpozadi, QLatin1StringView{"0"}},
    {btextu, QLatin1StringView{"16777215"}},
    {bstinu, QLatin1StringView{"14737632"}},
    {obr, QLatin1StringView{""}},
}};

// The first-run text of a key.
inline QString DefaultText(QLatin1StringView key)
{
    for (const auto& entry : Defaults) {
        if (entry.key == key)
            return entry.text;
    }
    return {};
}

} // namespace SettingsKeys
