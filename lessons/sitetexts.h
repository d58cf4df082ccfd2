#pragma once

#include <QString>

// The vocabulary site that the saver supports: its address and slogan stand on the banner
// and on the settings dialog's header and about page alike.
inline QString SiteAddress()
{
    return QStringLiteral("www.vokabo.cz");
}

inline QString Slogan()
{
    return QStringLiteral("angličtina na internetu zdarma");
}
