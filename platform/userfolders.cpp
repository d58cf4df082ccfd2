#include "platform/userfolders.h"

#include <QDir>
#include <QStandardPaths>

namespace {

// Qt takes the variable as it is; only a relative one makes its answer relative.
QString absoluteLocation(QStandardPaths::StandardLocation location, QLatin1StringView underHome)
{
    const QString found = QStandardPaths::writableLocation(location);
    if (found.isEmpty() || !QDir::isRelativePath(found))
        return found;
    return QDir::homePath() + underHome;
}

} // namespace

QString UserConfigFolder()
{
    return absoluteLocation(QStandardPaths::GenericConfigLocation, QLatin1StringView("/.config"));
}

QString UserDataFolder()
{
    return absoluteLocation(QStandardPaths::GenericDataLocation,
                            QLatin1StringView("/.local/share"));
}
