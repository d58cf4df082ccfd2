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

std::optional<QString> InformationRequest(const QString& argumentString)
{
    if (argumentString == QLatin1String("--version")) {
        return QStringLiteral("vokabo %1.%2.%3\n")
            .arg(VOKABO_VERSION_MAJOR)
            .arg(VOKABO_VERSION_MINOR)
            .arg(VOKABO_VERSION_PATCH);
    }
    if (argumentString == QLatin1String("--help") || argumentString == QLatin1String("-h")) {
        return QStringLiteral(
            "Použití: vokabo [/s | /c]\n"
            "Spořič obrazovky, který učí anglická slovíčka.\n"
            "\n"
            "  /s            spustí spořič přes celou obrazovku (totéž bez argumentu)\n"
            "  /c            otevře nastavení spořiče\n"
            "  -root, -window-id ID\n"
            "                kreslí do okna, které dá xscreensaver (jen s proměnnou\n"
            "                XSCREENSAVER_WINDOW)\n"
            "  --help, -h    vypíše tuto nápovědu\n"
            "  --version     vypíše verzi\n"
            "\n"
            "S jiným argumentem program hned skončí a nic neukáže.\n"
            "Za běhu mezerník změní lekci, S nebo N otevře nastavení a jiná klávesa,\n"
            "kliknutí nebo pohyb myši spořič ukončí. Více v man vokabo.\n");
    }
    return std::nullopt;
}

namespace {

quintptr WindowId(const QString& text)
{
    bool ok = false;
    // xscreensaver writes ids in hex with 0x; decimal is what other hosts pass.
    const qulonglong id = text.trimmed().toULongLong(&ok, 0);
    return ok ? quintptr(id) : 0;
}

} // namespace

quintptr XScreensaverWindow(const QStringList& arguments, const QString& environmentWindow)
{
    if (environmentWindow.isEmpty() || arguments.size() < 2)
        return 0;
    quintptr window = WindowId(environmentWindow);
    // The settings program of xscreensaver may add its own -root to the one in the hack's
    // description, so a repeated one is still the same request.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("-root") || argument == QLatin1String("--root"))
            continue;
        if ((argument == QLatin1String("-window-id") || argument == QLatin1String("--window-id")) &&
            i + 1 < arguments.size()) {
            window = WindowId(arguments[++i]);
            if (!window)
                return 0;
            continue;
        }
        return 0;
    }
    return window;
}
