#include "widgets/platformcolours.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {

// System colour indices and the palette roles that play the same part.
constexpr std::array<QPalette::ColorRole, 31> SystemRoles{
    QPalette::Button,          // 0 scroll bar
    QPalette::Window,          // 1 desktop
    QPalette::Highlight,       // 2 active caption
    QPalette::Window,          // 3 inactive caption
    QPalette::Window,          // 4 menu
    QPalette::Base,            // 5 window background
    QPalette::WindowText,      // 6 window frame
    QPalette::WindowText,      // 7 menu text
    QPalette::Text,            // 8 window text
    QPalette::HighlightedText, // 9 caption text
    QPalette::Window,          // 10 active border
    QPalette::Window,          // 11 inactive border
    QPalette::Dark,            // 12 application workspace
    QPalette::Highlight,       // 13 highlight
    QPalette::HighlightedText, // 14 highlighted text
    QPalette::Button,          // 15 button face
    QPalette::Mid,             // 16 button shadow
    QPalette::PlaceholderText, // 17 grey text
    QPalette::ButtonText,      // 18 button text
    QPalette::WindowText,      // 19 inactive caption text
    QPalette::Light,           // 20 button highlight
    QPalette::Shadow,          // 21 dark shadow
    QPalette::Midlight,        // 22 light
    QPalette::ToolTipText,     // 23 tooltip text
    QPalette::ToolTipBase,     // 24 tooltip background
    QPalette::Window,          // 25 (unused)
    QPalette::Link,            // 26 hot-tracked item
    QPalette::Highlight,       // 27 active caption gradient
    QPalette::Window,          // 28 inactive caption gradient
    QPalette::Highlight,       // 29 menu highlight
    QPalette::Window,          // 30 menu bar
};

} // namespace

std::optional<QColor> ColourFromNumber(quint32 number)
{
    const quint32 top = number >> 24;
    if (top == 0)
        return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
    const quint32 index = number & 0x00FFFFFF;
    if (top == 0x80 && index < SystemRoles.size())
        return QGuiApplication::palette().color(QPalette::Active, SystemRoles[index]);
    return std::nullopt;
}

quint32 NumberFromColour(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

QColor ColourOrBlack(quint32 number) { return ColourFromNumber(number).value_or(QColor(Qt::black)); }
