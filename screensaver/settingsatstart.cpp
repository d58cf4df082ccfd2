#include "screensaver/settingsatstart.h"

#include "settings/keys.h"
#include "settings/Module1.h"
#include "settings/numeric.h"
#include "settings/registry.h"

namespace {

QString read(registry& reg, QLatin1StringView key)
{
    reg.setKey(key);
    reg.RegGet();
    return reg.Setting();
}

} // namespace

StartAppearance ReadSettingsAtStart(SaverVariables& vars)
{
    using namespace SettingsKeys;
    vars.WordTick = 0;
    vars.ShadowOffset = 20;
    vars.FirstDelay = 3;
    vars.CzechFirst = VbTrue;
    vars.SecondDelay = 3;
    vars.PlacementMode = 0;

    registry reg;
    OpenSettingsSection(reg);

    bool defaultsUnwritten = false;
    auto first = NumericValue(read(reg, nprvni));
    if (!first) {
        switch (WriteDefaultSettingsAtFirstRun()) {
        case FirstRunDefaults::Written:
            break;
        case FirstRunDefaults::NotNeeded:
            // An editor was saving the file as it was first read.
            first = NumericValue(read(reg, nprvni));
            break;
        case FirstRunDefaults::Failed:
            defaultsUnwritten = true;
            break;
        }
    }
    if (first)
        vars.FirstDelay = ToInteger16(*first);

    // A profile that cannot be written (read-only, kiosk) runs with the defaults the store
    // refused, not with whatever it still holds.
    const auto setting = [&](QLatin1StringView key) {
        const QString stored = read(reg, key);
        return defaultsUnwritten ? DefaultText(key) : stored;
    };

    if (const auto second = NumericValue(setting(ndruhy)))
        vars.SecondDelay = ToInteger16(*second);

    vars.CzechFirst = setting(prvnicesky) == QLatin1String("1") ? VbTrue : VbFalse;

    const QString placement = setting(pozice);
    if (placement.size() == 1 && placement[0] >= QLatin1Char('0') &&
        placement[0] <= QLatin1Char('4'))
        vars.PlacementMode = static_cast<qint16>(placement[0].unicode() - u'0');

    StartAppearance appearance;
    appearance.background = ColourSettingOrDefault(setting(bpozadi), bpozadi);
    appearance.text = ColourSettingOrDefault(setting(btextu), btextu);
    appearance.shadow = ColourSettingOrDefault(setting(bstinu), bstinu);
    appearance.picturePath = setting(obr);
    vars.ShowDetails = setting(vyslovnost) == QLatin1String("1");
    return appearance;
}

std::vector<LessonName> ReadLessonsLeftOut()
{
    registry reg;
    OpenSettingsSection(reg);
    return ParseLessonChoice(read(reg, SettingsKeys::lekce));
}
