#include "settings/idletime.h"

#include "settings/keys.h"
#include "settings/Module1.h"
#include "settings/numeric.h"
#include "settings/registry.h"

#include <cmath>

namespace IdleTime {

std::optional<double> MinutesFromText(QStringView text)
{
    const auto minutes = NumericValue(text);
    if (!minutes || *minutes < ShortestMinutes || *minutes > LongestMinutes)
        return std::nullopt;
    return minutes;
}

std::chrono::milliseconds FromMinutes(double minutes)
{
    return std::chrono::milliseconds(std::llround(minutes * 60'000));
}

std::chrono::milliseconds Stored()
{
    registry reg;
    OpenSettingsSection(reg);
    reg.setKey(SettingsKeys::necinnost);
    if (reg.RegGet()) {
        if (const auto minutes = MinutesFromText(reg.Setting()))
            return FromMinutes(*minutes);
    }
    return FromMinutes(DefaultMinutes);
}

} // namespace IdleTime
