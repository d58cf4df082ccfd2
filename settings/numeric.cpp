#include "settings/numeric.h"

#include "settings/keys.h"

#include <QString>
#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

std::optional<double> NumericValue(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    QString normalised;
    qsizetype i = begin;
    if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        normalised += text[i++];
    int digits = 0;
    while (i < end && isDigit(text[i])) {
        normalised += text[i++];
        ++digits;
    }
    if (i < end && (text[i] == QLatin1Char('.') || text[i] == QLatin1Char(','))) {
        normalised += QLatin1Char('.');
        ++i;
        while (i < end && isDigit(text[i])) {
            normalised += text[i++];
            ++digits;
        }
    }
    if (digits == 0 || i != end)
        return std::nullopt;
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok) // more digits than a double holds: a number all the same, just a huge one
        return normalised.startsWith(QLatin1Char('-')) ? -HUGE_VAL : HUGE_VAL;
    return value;
}

bool IsNumeric(QStringView text) { return NumericValue(text).has_value(); }

qint16 ToInteger16(double value)
{
    constexpr double low = std::numeric_limits<qint16>::min();
    constexpr double high = std::numeric_limits<qint16>::max();
    if (std::isnan(value))
        return 0;
    // nearbyint follows the default rounding mode, which rounds halves to even.
    const double rounded = std::nearbyint(value);
    if (rounded <= low)
        return std::numeric_limits<qint16>::min();
    if (rounded >= high)
        return std::numeric_limits<qint16>::max();
    return static_cast<qint16>(rounded);
}

std::optional<quint32> ColourNumberFromText(QStringView text)
{
    const auto value = NumericValue(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<quint32>(static_cast<qint32>(rounded));
}

QString ColourNumberToText(quint32 colour) { return QString::number(static_cast<qint32>(colour)); }

bool NamesAColour(quint32 number)
{
    const quint32 top = number >> 24;
    return top == 0 || (top == 0x80 && (number & 0x00FFFFFF) < 31);
}

quint32 ColourSettingOrDefault(QStringView text, QLatin1StringView key)
{
    if (const auto number = ColourNumberFromText(text); number && NamesAColour(*number))
        return *number;
    return ColourNumberFromText(SettingsKeys::DefaultText(key)).value_or(0);
}
