#include "screensaver/commandline.h"

QString ArgumentString(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

LaunchMode DispatchCommandLine(const QString& argumentString)
{
    const QString prefix = argumentString.left(2).toLower();
    if (prefix == QLatin1String("/c"))
        return LaunchMode::Settings;
    if (prefix == QLatin1String("/s"))
        return LaunchMode::Saver;
    if (argumentString.isEmpty())
        return LaunchMode::Saver;
    return LaunchMode::End;
}
