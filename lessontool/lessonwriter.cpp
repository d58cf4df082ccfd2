#include "lessontool/lessonwriter.h"

#include "lessons/lessonloader.h"
#include "lessons/savervariables.h"
#include "platform/windows1250.h"

#include <algorithm>
#include <QUtf8StringView>

namespace {

QString numbered(const QString& title, int number)
{
    const qsizetype slash = title.indexOf(QLatin1Char('/'));
    const QString suffix = QStringLiteral(" (%1)").arg(number);
    QString result = title.left(slash) + suffix + QLatin1Char('/');
    const QString english = title.mid(slash + 1);
    if (!english.isEmpty())
        result += english + suffix;
    return result;
}

QString entryText(const WordEntry& entry)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    for (const QString& line : LessonEntryLines(entry))
        text += line + crlf;
    return text + QStringLiteral("--") + crlf;
}

// The saver takes a file without a byte-order mark for UTF-8 when the whole of it is valid
// UTF-8, which Windows-1250 words such as "déšť" are; and a line that is valid UTF-8 looks to
// the check like one written in the other encoding. Windows-1250 is kept for files in which
// no line with non-ASCII bytes is valid UTF-8.
bool readsAsWindows1250(const QByteArray& bytes)
{
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = bytes.indexOf('\r', pos);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line(bytes.constData() + pos, end - pos);
        const bool ascii = std::all_of(line.begin(), line.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (!ascii && QUtf8StringView(line).isValidUtf8())
            return false;
        pos = end + 2;
    }
    return true;
}

QByteArray encoded(const QString& text)
{
    const std::optional<QByteArray> bytes = Windows1250::Encode(text);
    if (bytes && readsAsWindows1250(*bytes))
        return *bytes;
    return "\xEF\xBB\xBF" + text.toUtf8();
}

} // namespace

QString LessonBaseName(const QString& inputBaseName)
{
    QString name;
    for (const QChar c : inputBaseName)
        name += c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')
                    ? c
                    : QLatin1Char('_');
    return name.isEmpty() ? QStringLiteral("lekce") : name;
}

QStringList LessonEntryLines(const WordEntry& entry)
{
    QString pronunciation = entry.pronunciation;
    if (!pronunciation.isEmpty() && !pronunciation.startsWith(QLatin1Char('[')))
        pronunciation = QLatin1Char('[') + pronunciation + QLatin1Char(']');
    QString example;
    if (!entry.example.isEmpty() || !entry.exampleTranslation.isEmpty())
        example = entry.example + QLatin1Char('|') + entry.exampleTranslation;
    return {entry.english, pronunciation, entry.partOfSpeech, entry.czech, entry.note, example};
}

QList<LessonText> WriteLessons(const QList<WordEntry>& entries, const QString& title,
                               const QString& baseName)
{
    const QString fullTitle = title.contains(QLatin1Char('/')) ? title : title + QLatin1Char('/');
    const QString crlf = QStringLiteral("\r\n");
    const QString secondLine = QStringLiteral("Lekce z importu");
    // Sizes in UTF-8, which takes at least the bytes that Windows-1250 does; the head is the
    // longest a part can have: byte-order mark, numbered title, second line.
    const qsizetype headBytes =
        3 + (numbered(fullTitle, int(entries.size())) + crlf + secondLine + crlf).toUtf8().size();
    QList<QString> bodies;
    qsizetype count = 0;
    qsizetype bytes = 0;
    for (const WordEntry& entry : entries) {
        const QString text = entryText(entry);
        const qsizetype entryBytes = text.toUtf8().size();
        if (bodies.isEmpty() || count == LessonSlots ||
            headBytes + bytes + entryBytes > MaxLessonBytes) {
            bodies.append(QString());
            count = 0;
            bytes = 0;
        }
        bodies.last() += text;
        ++count;
        bytes += entryBytes;
    }
    QList<LessonText> lessons;
    const bool one = bodies.size() == 1;
    for (qsizetype part = 0; part < bodies.size(); ++part) {
        const QString name = one ? baseName + QStringLiteral(".txt")
                                 : QStringLiteral("%1-%2.txt").arg(baseName).arg(part + 1);
        const QString lessonTitle = one ? fullTitle : numbered(fullTitle, int(part + 1));
        lessons.append({name, encoded(lessonTitle + crlf + secondLine + crlf + bodies.at(part))});
    }
    return lessons;
}
