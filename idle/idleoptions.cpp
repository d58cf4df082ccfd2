#include "idle/idleoptions.h"

#include "settings/idletime.h"
#include "settings/numeric.h"

#include <cmath>

namespace {

const QString After = QStringLiteral("--after");

// Whole seconds, as many as the longest stored idle time holds.
std::optional<std::chrono::milliseconds> secondsFromText(const QString& text)
{
    const auto seconds = NumericValue(text);
    constexpr double longest = IdleTime::LongestMinutes * 60;
    if (!seconds || *seconds < 1 || *seconds > longest || std::floor(*seconds) != *seconds)
        return std::nullopt;
    return std::chrono::seconds(static_cast<long long>(*seconds));
}

IdleOptions refused(const QString& why)
{
    IdleOptions options;
    options.mode = IdleOptions::Mode::Refused;
    options.error = QStringLiteral("vokabo-idle: %1 (nápověda: vokabo-idle --help)").arg(why);
    return options;
}

} // namespace

IdleOptions ParseIdleOptions(const QStringList& arguments)
{
    IdleOptions options;
    QString modeArgument;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        std::optional<IdleOptions::Mode> mode;
        if (argument == QLatin1String("--enable"))
            mode = IdleOptions::Mode::Enable;
        else if (argument == QLatin1String("--disable"))
            mode = IdleOptions::Mode::Disable;
        else if (argument == QLatin1String("--xscreensaver"))
            mode = IdleOptions::Mode::Xscreensaver;
        else if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            mode = IdleOptions::Mode::Help;

        if (mode) {
            if (!modeArgument.isEmpty() && options.mode != *mode)
                return refused(
                    QStringLiteral("přepínače %1 a %2 nejdou spolu").arg(modeArgument, argument));
            options.mode = *mode;
            modeArgument = argument;
        } else if (argument == After || argument.startsWith(After + QLatin1Char('='))) {
            QString value;
            if (argument == After) {
                if (i + 1 == arguments.size())
                    return refused(QStringLiteral("za --after chybí počet sekund"));
                value = arguments[++i];
            } else {
                value = argument.mid(After.size() + 1);
            }
            options.after = secondsFromText(value);
            if (!options.after)
                return refused(QStringLiteral("za --after patří celý počet sekund od 1 do %1, "
                                              "ne „%2“")
                                   .arg(IdleTime::LongestMinutes * 60)
                                   .arg(value));
        } else {
            return refused(QStringLiteral("neznámý přepínač „%1“").arg(argument));
        }
    }
    if (options.mode == IdleOptions::Mode::Help)
        return options;
    if (options.after && options.mode != IdleOptions::Mode::Watch)
        return refused(QStringLiteral("--after platí jen pro jedno spuštění sledování, "
                                      "ne s jiným přepínačem"));
    return options;
}

QString IdleUsage()
{
    return QStringLiteral(
        "Použití: vokabo-idle [--after SEKUNDY | --enable | --disable | --xscreensaver]\n"
        "Sleduje nečinnost a po nastavené době spustí spořič Vokabo (vokabo /s).\n"
        "\n"
        "  (bez přepínače)    sleduje nečinnost po celé sezení\n"
        "  --after SEKUNDY    tentokrát spustí spořič už po tolika sekundách nečinnosti\n"
        "  --enable           zapne spořič při nečinnosti: od teď a při každém přihlášení\n"
        "  --disable          vypne ho a ukončí běžící sledování\n"
        "  --xscreensaver     nechá spořič spouštět xscreensaver: v ~/.xscreensaver ho\n"
        "                     nastaví jako jediný spořič (původní soubor zálohuje)\n"
        "\n"
        "Dobu nečinnosti v minutách nastavíte v nastavení spořiče (vokabo /c), klíč\n"
        "necinnost ve skupině [nastaveni] souboru VKB_S.ini; bez něj je to 5 minut.\n");
}
