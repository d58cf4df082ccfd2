#include "idle/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Autostart {

QString EntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/vokabo-idle.desktop");
}

QString ExecArgument(const QString& argument)
{
    // Plain words go as they are; anything a desktop would split or expand is quoted, and
    // inside the quotes the four characters the Exec rules reserve are escaped. The value of
    // the key is then escaped once more as a string, which doubles every backslash; a
    // percent sign is a field code unless doubled.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString quoted;
    for (const QChar c : argument) {
        if (needsQuotes && (c == QLatin1Char('"') || c == QLatin1Char('`') ||
                            c == QLatin1Char('$') || c == QLatin1Char('\\')))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    if (needsQuotes)
        quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return quoted;
}

QByteArray Entry(const QString& program)
{
    // TryExec lets a desktop skip the entry quietly once the program is uninstalled.
    QString tryExec = program;
    tryExec.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    tryExec.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Vokabo idle watcher\n"
                                        "Name[cs]=Spořič Vokabo při nečinnosti\n"
                                        "Comment=Starts the Vokabo screen saver when the "
                                        "computer is idle\n"
                                        "Comment[cs]=Spustí spořič Vokabo, když se počítač "
                                        "nepoužívá\n"
                                        "Icon=vokabo\n"
                                        "TryExec=%1\n"
                                        "Exec=%2\n"
                                        "Terminal=false\n"
                                        "NoDisplay=true\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(tryExec, ExecArgument(program));
    return text.toUtf8();
}

QString Write(const QString& path, const QString& program)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("nelze vytvořit složku %1").arg(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("nelze zapsat %1: %2").arg(path, file.errorString());
    const QByteArray entry = Entry(program);
    if (file.write(entry) != entry.size() || !file.commit())
        return QStringLiteral("nelze zapsat %1: %2").arg(path, file.errorString());
    return {};
}

QString Remove(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    // A folder of this name is not ours to delete.
    if (info.isDir() && !info.isSymLink())
        return QStringLiteral("%1 je složka, ne záznam automatického spuštění").arg(path);
    QFile file(path);
    if (!file.remove())
        return QStringLiteral("nelze smazat %1: %2").arg(path, file.errorString());
    return {};
}

} // namespace Autostart
