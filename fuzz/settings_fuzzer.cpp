// Any bytes as the settings file: the file reads back as the bytes it is, the start-up
// readers take what they can and never fail, and the numeric readers agree with each other.
#include "fuzzsettingsfolder.h"
#include "screensaver/settingsatstart.h"
#include "settings/inidocument.h"
#include "settings/keys.h"
#include "settings/numeric.h"
#include "settings/settingsfile.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    UseFuzzSettingsFolder("vokabo-settings-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QString text = QString::fromUtf8(bytes);
    const auto value = NumericValue(text);
    if (value.has_value() != IsNumeric(text))
        std::abort();
    if (value) {
        const qint16 delay = ToInteger16(*value);
        if (*value >= 32767 && delay != 32767)
            std::abort();
    }
    if (const auto colour = ColourNumberFromText(text))
        if (ColourNumberFromText(ColourNumberToText(*colour)) != colour)
            std::abort();

    if (ToStoredBytes(FromStoredBytes(bytes)) != bytes)
        std::abort();
    if (IniDocument::Parse(bytes).Bytes() != bytes)
        std::abort();

    WriteWholeFile(SettingsFilePath(SettingsKeys::AppName), bytes);
    auto vars = std::make_unique<SaverVariables>();
    const StartAppearance appearance = ReadSettingsAtStart(*vars);
    if (vars->CzechFirst != VbTrue && vars->CzechFirst != VbFalse)
        std::abort();
    if (vars->PlacementMode < 0 || vars->PlacementMode > 4)
        std::abort();
    if (!appearance.background || !appearance.text || !appearance.shadow)
        std::abort();
    return 0;
}
