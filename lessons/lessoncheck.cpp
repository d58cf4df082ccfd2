#include "lessons/lessoncheck.h"

#include "lessons/lessonlinereader.h"
#include "lessons/lessonloader.h"
#include "lessons/lessonparser.h"
#include "platform/windows1250.h"

#include <algorithm>
#include <memory>
#include <QHash>
#include <QUtf8StringView>

namespace {

// The lines of the file as bytes, split by the reader's rules, so that what the reader
// decoded can be held against what the file holds.
class RawLines {
public:
    explicit RawLines(const QByteArray& bytes) : m_bytes(bytes)
    {
        if (m_bytes.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
    }

    bool More() const { return m_pos < m_bytes.size(); }

    QByteArrayView Next()
    {
        const char* data = m_bytes.constData();
        const qsizetype size = m_bytes.size();
        qsizetype end = m_pos;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        const QByteArrayView line(data + m_pos, end - m_pos);
        m_pos = end;
        if (m_pos < size) {
            const bool carriageReturn = data[m_pos] == '\r';
            ++m_pos;
            if (carriageReturn && m_pos < size && data[m_pos] == '\n')
                ++m_pos;
        }
        return line;
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
};

bool isAscii(QByteArrayView bytes)
{
    unsigned char any = 0;
    for (const char c : bytes)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

bool isBlank(const QString& text)
{
    for (const QChar c : text)
        if (!c.isSpace())
            return false;
    return true;
}

QString entryLineName(int entryLine)
{
    static const char* const names[] = {
        "", "anglické slovo", "výslovnost", "slovní druh", "český překlad", "poznámka", "příklad"};
    return QString::fromUtf8(names[entryLine]);
}

class Checker {
public:
    // How the reader decided: UTF-8 for a byte-order mark or a text valid as UTF-8 throughout,
    // and otherwise Windows-1250 because of the first line that is not valid UTF-8.
    Checker(bool utf8, bool byteOrderMark, int firstLineNotUtf8)
        : m_utf8(utf8), m_byteOrderMark(byteOrderMark), m_firstLineNotUtf8(firstLineNotUtf8)
    {
    }

    QList<LessonProblem> problems;

    void Encoding(int line, QByteArrayView raw)
    {
        if (raw.size() > LessonLineReader::MaxLineBytes)
            add(line, QStringLiteral("řádek je delší než %1 bajtů, spořič z něj přečte jen začátek")
                          .arg(LessonLineReader::MaxLineBytes));
        if (raw.contains('\0'))
            add(line, QStringLiteral("řádek obsahuje nulový bajt (NUL), ten žádné písmeno "
                                     "lekce není"));
        if (isAscii(raw))
            return;
        const bool validUtf8 = QUtf8StringView(raw).isValidUtf8();
        if (m_utf8) {
            if (validUtf8)
                return;
            const QString why = m_byteOrderMark ? QStringLiteral("začíná značkou BOM")
                                                : QStringLiteral("jinde je platné UTF-8");
            if (windows1250Decodes(raw))
                add(line,
                    QStringLiteral("řádek je ve Windows-1250, ale spořič čte soubor jako UTF-8 "
                                   "(%1): písmena s diakritikou budou špatně")
                        .arg(why));
            else
                add(line, QStringLiteral("řádek není platné UTF-8 ani Windows-1250"));
        } else if (!windows1250Decodes(raw)) {
            add(line,
                QStringLiteral("řádek obsahuje bajty, které ve Windows-1250 nic neznamenají"));
        } else if (validUtf8 && writtenInWindows1250(QString::fromUtf8(raw))) {
            // Only a line whose UTF-8 reading is Czech or Latin text was meant as UTF-8:
            // Windows-1250 words such as "déšť" are valid UTF-8 too, but read so they are
            // characters no lesson holds.
            add(line, QStringLiteral("řádek je v UTF-8, ale spořič čte soubor jako Windows-1250 "
                                     "(řádek %1 není platné UTF-8): písmena s diakritikou budou "
                                     "špatně")
                          .arg(m_firstLineNotUtf8));
        }
    }

    // Follows the saver's parser line by line; false once the saver reads no further.
    bool Grammar(int line, const QString& text, LessonParser& parser, const LessonEntries& lesson)
    {
        if (line == 1 && !text.contains(QLatin1Char('/')))
            add(line, QStringLiteral("první řádek nemá „/“: má být „Název/Title“"));
        if (line >= 3) {
            if (m_stored == LessonSlots && !isBlank(text)) {
                add(line, QStringLiteral("záznamy od tohoto řádku se nikdy neukážou: lekce jich "
                                         "může mít nejvýš %1")
                              .arg(LessonSlots));
                return false;
            }
            ++m_entryLine;
            if (m_entryLine == 1) {
                m_entryStart = line;
                m_entryHasText = false;
            }
            m_entryHasText = m_entryHasText || !isBlank(text);
            if (m_entryLine <= 6 && text.startsWith(QLatin1String("--")))
                add(line, QStringLiteral("„--“ na %1. řádku záznamu (%2): záznam neskončí a "
                                         "pohltí ten další")
                              .arg(m_entryLine)
                              .arg(entryLineName(m_entryLine)));
            if (m_entryLine == 1) {
                m_englishBlank = isBlank(text);
            } else if (m_entryLine == 4) {
                m_czechLine = line;
                m_czechBlank = isBlank(text.section(QLatin1Char(','), 0, 0));
            }
        }
        const qint16 before = lesson.WordCount;
        const bool wantsMore = parser.FeedLine(text);
        if (lesson.WordCount != before) {
            if (m_englishBlank)
                add(m_entryStart, QStringLiteral("prázdné anglické slovo"));
            if (m_czechBlank)
                add(m_czechLine, QStringLiteral("prázdný český překlad"));
            else
                Wording(lesson.CzechWords.at(lesson.WordCount - 1));
            m_entryLine = 0;
            m_entryHasText = false;
            m_stored = lesson.WordCount;
        }
        return wantsMore;
    }

    // What the saver shows of the Czech is the text before the first comma.
    void Wording(const QString& czech)
    {
        const qsizetype comma = czech.indexOf(QLatin1Char(','));
        const QStringView shown = QStringView(czech).left(comma);
        if (comma >= 0 && (shown.count(QLatin1Char('(')) > shown.count(QLatin1Char(')')) ||
                           shown.count(QLatin1Char('[')) > shown.count(QLatin1Char(']'))))
            add(m_czechLine,
                QStringLiteral("spořič ukáže jen „%1“: čárka uvnitř závorky ukončí, co se ukáže")
                    .arg(shown),
                LessonProblem::Kind::Wording);
        const QString key = shown.trimmed().toString();
        const auto first = m_shownCzech.constFind(key);
        if (first == m_shownCzech.cend())
            m_shownCzech.insert(key, m_czechLine);
        else
            add(m_czechLine,
                QStringLiteral("stejná čeština „%1“ jako v záznamu na řádku %2: kdo vidí češtinu "
                               "napřed, nepozná, které anglické slovo je míněno")
                    .arg(key)
                    .arg(*first),
                LessonProblem::Kind::Wording);
    }

    void TooLong(int line)
    {
        add(line, QStringLiteral("soubor je delší než %1 MiB: spořič přečte jen začátek, po tento "
                                 "řádek")
                      .arg(MaxLessonBytes / (1024 * 1024)));
    }

    void End()
    {
        if (m_entryLine > 0 && m_entryHasText)
            add(m_entryStart, QStringLiteral("poslední záznam nemá ukončovací řádek „--“, spořič "
                                             "ho nikdy neukáže"));
        else if (m_stored == 0)
            add(1, QStringLiteral("lekce nemá žádný záznam"));
    }

private:
    void add(int line, QString message, LessonProblem::Kind kind = LessonProblem::Kind::Reading)
    {
        problems.append({line, std::move(message), kind});
    }

    static bool writtenInWindows1250(const QString& text)
    {
        return Windows1250::Encode(text).has_value();
    }

    static bool windows1250Decodes(QByteArrayView raw)
    {
        for (const char c : raw) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98)
                return false;
        }
        return true;
    }

    bool m_utf8 = false;
    bool m_byteOrderMark = false;
    int m_firstLineNotUtf8 = 0;
    int m_entryLine = 0;
    int m_entryStart = 0;
    bool m_entryHasText = false;
    bool m_englishBlank = false;
    bool m_czechBlank = false;
    int m_czechLine = 0;
    int m_stored = 0;
    QHash<QString, int> m_shownCzech; // the Czech shown -> the line of its first entry
};

} // namespace

QList<LessonProblem> CheckLesson(const QByteArray& bytes)
{
    // The saver reads no further than this.
    const QByteArray read = bytes.left(MaxLessonBytes);
    LessonLineReader reader(read);
    int firstLineNotUtf8 = 0;
    RawLines scan(read);
    for (int line = 1; !firstLineNotUtf8 && scan.More(); ++line)
        if (!QUtf8StringView(scan.Next()).isValidUtf8())
            firstLineNotUtf8 = line;
    RawLines rawLines(read);
    const auto lesson = std::make_unique<LessonEntries>();
    LessonParser parser(*lesson);
    Checker checker(reader.IsUtf8(), read.startsWith("\xEF\xBB\xBF"), firstLineNotUtf8);
    int line = 0;
    while (!reader.AtEnd()) {
        const QString text = reader.ReadLine();
        ++line;
        checker.Encoding(line, rawLines.Next());
        if (!checker.Grammar(line, text, parser, *lesson))
            return checker.problems;
    }
    if (bytes.size() > read.size())
        checker.TooLong(line);
    checker.End();
    // An unfinished entry is known only at the end, but named by the line it starts on.
    std::stable_sort(
        checker.problems.begin(), checker.problems.end(),
        [](const LessonProblem& a, const LessonProblem& b) { return a.line < b.line; });
    return checker.problems;
}
