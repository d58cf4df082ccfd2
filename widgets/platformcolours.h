#pragma once

#include <QColor>
#include <optional>

// Colour numbers are 0x00BBGGRR; 0x80 in the top byte names a system colour by index, which
// comes from the application palette here. Nothing for any other top byte.
std::optional<QColor> ColourFromNumber(quint32 number);
quint32 NumberFromColour(const QColor& colour);
// A colour number of the design or of a swatch: black where it names no colour.
QColor ColourOrBlack(quint32 number);

namespace SystemColour {
inline constexpr quint32 WindowBackground = 0x80000005;
inline constexpr quint32 WindowText = 0x80000008;
inline constexpr quint32 ButtonText = 0x80000012;
} // namespace SystemColour
