#pragma once

#include <QLatin1StringView>
#include <QStringView>
#include <QtGlobal>
#include <optional>

// The whole text, blanks around it allowed, is an optional sign, digits, and optionally a
// decimal separator ("." or the Czech ",") with further digits. Empty text and words are not.
std::optional<double> NumericValue(QStringView text);
bool IsNumeric(QStringView text);

// Nearest whole number, a half going to the even neighbour. Values beyond the 16-bit range
// are held at its ends, so a delay typed as forty thousand seconds means the longest delay
// there is rather than a failure.
qint16 ToInteger16(double value);

// A stored colour: the signed 32-bit decimal text of a 0x00BBGGRR number (0x80 in the top
// byte names a system colour). Nothing when the text is not such a number.
std::optional<quint32> ColourNumberFromText(QStringView text);
QString ColourNumberToText(quint32 colour);
// True for an 0x00BBGGRR colour and for the 31 system colours (0x80000000 to 0x8000001E).
bool NamesAColour(quint32 number);
// The colour a colour key's stored text gives: the text's own when it names a colour, else
// the key's first-run default, so words never take an unseen design colour.
quint32 ColourSettingOrDefault(QStringView text, QLatin1StringView key);
