#include "idle/xscreensaverconfig.h"

#include <optional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

namespace XScreensaverConfig {

namespace {

const QByteArray Entry = QByteArrayLiteral("\"Vokabo\"  vokabo -root");

// One resource of the file: its first physical line and the lines a trailing backslash
// continues it onto.
struct Resource {
    qsizetype first = 0;
    qsizetype last = 0;
};

QByteArray withoutLineEnd(const QByteArray& line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

bool continues(const QByteArray& line)
{
    return withoutLineEnd(line).endsWith('\\');
}

// The resource named key ("programs", "mode", "selected"), if the file has one.
std::optional<Resource> find(const QList<QByteArray>& lines, const QByteArray& key)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype start = i;
        while (i + 1 < lines.size() && continues(lines[i]))
            ++i;
        const QByteArray head = lines[start].trimmed();
        if (head.startsWith(key + ':'))
            return Resource{start, i};
    }
    return std::nullopt;
}

// What a physical line of the programs list holds: the program, without the line's
// continuation and the "\n" that separates programs.
QByteArray programOf(QByteArray line, bool firstLine)
{
    line = withoutLineEnd(line);
    if (firstLine)
        line = line.mid(line.indexOf(':') + 1);
    if (line.endsWith('\\'))
        line.chop(1);
    line = line.trimmed();
    if (line.endsWith("\\n"))
        line.chop(2);
    return line.trimmed();
}

// True for a program line that runs Vokabo, enabled or not: [-] [visual:] ["Name"] vokabo ...
bool runsVokabo(QByteArray program)
{
    if (program.startsWith('-'))
        program = program.mid(1).trimmed();
    if (const qsizetype colon = program.indexOf(':');
        colon > 0 && !program.left(colon).contains(' ') && !program.left(colon).contains('"'))
        program = program.mid(colon + 1).trimmed();
    if (program.startsWith('"'))
        program = program.mid(program.indexOf('"', 1) + 1).trimmed();
    const QByteArray command = program.left(program.indexOf(' '));
    return command == "vokabo" || command.endsWith("/vokabo");
}

void setValue(QList<QByteArray>& lines, const QByteArray& key, const QByteArray& value,
              qsizetype before)
{
    const QByteArray line = key + ":\t\t" + value;
    if (const auto resource = find(lines, key)) {
        const QByteArray& old = lines[resource->first];
        if (resource->first == resource->last &&
            withoutLineEnd(old).mid(old.indexOf(':') + 1).trimmed() == value)
            return;
        lines[resource->first] = line;
        lines.remove(resource->first + 1, resource->last - resource->first);
    } else {
        lines.insert(before, line);
    }
}

} // namespace

QByteArray WithVokabo(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    const bool endsWithNewline = text.isEmpty() || text.endsWith('\n');
    if (endsWithNewline)
        lines.removeLast();

    qsizetype index = -1;
    auto programs = find(lines, "programs");
    if (programs) {
        qsizetype count = 0;
        for (qsizetype i = programs->first; i <= programs->last; ++i) {
            const QByteArray program = programOf(lines[i], i == programs->first);
            if (program.isEmpty())
                continue;
            if (runsVokabo(program)) {
                index = count;
                // A disabled entry is one the user can see but xscreensaver never runs.
                if (program.startsWith('-'))
                    lines[i].replace(lines[i].indexOf('-'), 1, " ");
                break;
            }
            ++count;
        }
        if (index < 0) {
            // First in the list, so that its index does not depend on the others.
            const QByteArray head = lines[programs->first];
            const QByteArray rest = programOf(head, true);
            const QByteArray entry = "\t\t\t\t" + Entry;
            if (rest.isEmpty() && continues(head)) {
                lines.insert(programs->first + 1, entry + "\t\\n\\");
            } else {
                const QByteArray others = withoutLineEnd(head).mid(head.indexOf(':') + 1).trimmed();
                lines[programs->first] = "programs:\t\\";
                lines.insert(programs->first + 1, rest.isEmpty() ? entry : entry + "\t\\n\\");
                if (!rest.isEmpty())
                    lines.insert(programs->first + 2, "\t\t\t\t" + others);
            }
            index = 0;
        }
    } else {
        lines << "programs:\t" + Entry;
        index = 0;
    }
    const qsizetype before = find(lines, "programs")->first;
    setValue(lines, "selected", QByteArray::number(index), before);
    setValue(lines, "mode", "one", find(lines, "selected")->first);
    return lines.join('\n') + (endsWithNewline ? "\n" : "");
}

QString Path()
{
    return QDir::homePath() + QStringLiteral("/.xscreensaver");
}

Outcome ChooseVokabo(const QString& path)
{
    Outcome outcome;
    QFile file(path);
    QByteArray before;
    const bool exists = QFileInfo::exists(path);
    if (exists) {
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
            outcome.error = QStringLiteral("%1 nelze přečíst").arg(path);
            return outcome;
        }
        before = file.readAll();
        file.close();
    }
    const QByteArray after = WithVokabo(before);
    if (after == before)
        return outcome;

    if (exists) {
        QString backup = path + QStringLiteral(".bak");
        for (int n = 1; QFileInfo::exists(backup); ++n)
            backup = path + QStringLiteral(".bak.%1").arg(n);
        if (!QFile::copy(path, backup)) {
            outcome.error = QStringLiteral("zálohu %1 nelze zapsat").arg(backup);
            return outcome;
        }
        outcome.backup = backup;
    }
    QSaveFile save(path);
    if (!save.open(QIODevice::WriteOnly) || save.write(after) != after.size()) {
        outcome.error = QStringLiteral("%1 nelze zapsat: %2").arg(path, save.errorString());
        return outcome;
    }
    // xscreensaver's settings program may have rewritten the file meanwhile: its version
    // wins, and this command can simply be run again.
    QFile now(path);
    const bool unchanged = exists ? now.open(QIODevice::ReadOnly) && now.readAll() == before
                                  : !QFileInfo::exists(path);
    if (!unchanged) {
        save.cancelWriting();
        outcome.error = QStringLiteral("%1 se mezitím změnil; spusťte příkaz znovu").arg(path);
        return outcome;
    }
    if (!save.commit()) {
        outcome.error = QStringLiteral("%1 nelze zapsat: %2").arg(path, save.errorString());
        return outcome;
    }
    outcome.changed = true;
    return outcome;
}

} // namespace XScreensaverConfig
