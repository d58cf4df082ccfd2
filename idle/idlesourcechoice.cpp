#include "idle/idlesource.h"

#include "idle/mutteridlesource.h"
#include "idle/waylandidlesource.h"
#include "idle/x11idlesource.h"

std::unique_ptr<IdleSource> OpenIdleSource(QString& why)
{
    // GNOME's own monitor first, on X11 and Wayland alike: it is what GNOME's blanking and
    // locking count by, and it knows the session's inhibitors.
    if (auto mutter = MutterIdleSource::Open())
        return mutter;
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString x11 = qEnvironmentVariable("DISPLAY");
    // On a Wayland desktop an X11 display is only Xwayland, whose idle counter sees the input
    // of X11 windows alone: the saver would start while the user types elsewhere.
    if (!wayland.isEmpty() || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland"))
        return WaylandIdleSource::Open(why);
    if (!x11.isEmpty())
        return X11IdleSource::Open(why);
    why = QStringLiteral("vokabo-idle: není k dispozici žádná obrazovka (DISPLAY ani "
                         "WAYLAND_DISPLAY není nastaveno)");
    return nullptr;
}
