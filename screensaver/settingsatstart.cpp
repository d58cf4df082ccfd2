#include "screensaver/settingsatstart.h"

#include "settings/Module1.h"
#include "settings/keys.h"
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
    vars.WordTick = 0;
    vars.ShadowOffset = 20;
    vars.FirstDelay = 3;
    vars.CzechFirst = VbTrue;
    vars.SecondDelay = 3;
    vars.PlacementMode = 0;

    registry reg;
    OpenSettingsSection(reg);

    if (const auto first = NumericValue(read(reg, SettingsKeys::nprvni)))
        vars.FirstDelay = ToInteger16(*first);
    else
        WriteDefaultSettings();

    if (const auto second = NumericValue(read(reg, SettingsKeys::ndruhy)))
        vars.SecondDelay = ToInteger16(*second);

    vars.CzechFirst = read(reg, SettingsKeys::prvnicesky) == QLatin1String("1") ? VbTrue : VbFalse;

    const QString placement = read(reg, SettingsKeys::pozice);
    if (placement.size() == 1 && placement[0] >= QLatin1Char('0') && placement[0] <= QLatin1Char('4'))
        vars.PlacementMode = static_cast<qint16>(placement[0].unicode() - u'0');

    StartAppearance appearance;
    appearance.background = ColourNumberFromText(read(reg, SettingsKeys::bpozadi));
    appearance.text = ColourNumberFromText(read(reg, SettingsKeys::btextu));
    appearance.shadow = ColourNumberFromText(read(reg, SettingsKeys::bstinu));
    appearance.picturePath = read(reg, SettingsKeys::obr);
    return appearance;
}
