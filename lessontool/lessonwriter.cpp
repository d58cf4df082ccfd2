#include "lessontool/lessonwriter.h"

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

QString lessonText(const QString& title, const QList<WordEntry>& entries, qsizetype from,
                   qsizetype count)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = title + crlf + QStringLiteral("Lekce z importu") + crlf;
    for (qsizetype i = from; i < from + count; ++i) {
        const WordEntry& entry = entries.at(i);
        QString pronunciation = entry.pronunciation;
        if (!pronunciation.isEmpty() && !pronunciation.startsWith(QLatin1Char('[')))
            pronunciation = QLatin1Char('[') + pronunciation + QLatin1Char(']');
        QString example;
        if (!entry.example.isEmpty() || !entry.exampleTranslation.isEmpty())
            example = entry.example + QLatin1Char('|') + entry.exampleTranslation;
        for (const QString& line : {entry.english, pronunciation, entry.partOfSpeech, entry.czech,
                                    entry.note, example, QStringLiteral("--")}) {
            text += line;
            text += crlf;
        }
    }
    return text;
}

// The saver takes a file without a byte-order mark for UTF-8 when its first line with
// non-ASCII bytes is valid UTF-8, which a rare pair of Windows-1250 letters can be.
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
        if (!ascii)
            return !QUtf8StringView(line).isValidUtf8();
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

QList<LessonText> WriteLessons(const QList<WordEntry>& entries, const QString& title,
                               const QString& baseName)
{
    const QString fullTitle = title.contains(QLatin1Char('/')) ? title : title + QLatin1Char('/');
    const qsizetype parts = (entries.size() + LessonSlots - 1) / LessonSlots;
    QList<LessonText> lessons;
    for (qsizetype part = 0; part < parts; ++part) {
        const qsizetype from = part * LessonSlots;
        const qsizetype count = qMin<qsizetype>(LessonSlots, entries.size() - from);
        const bool one = parts == 1;
        const QString name = one ? baseName + QStringLiteral(".txt")
                                 : QStringLiteral("%1-%2.txt").arg(baseName).arg(part + 1);
        const QString lessonTitle = one ? fullTitle : numbered(fullTitle, int(part + 1));
        lessons.append({name, encoded(lessonText(lessonTitle, entries, from, count))});
    }
    return lessons;
}
