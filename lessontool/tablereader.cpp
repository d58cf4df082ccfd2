#include "lessontool/tablereader.h"

#include "platform/windows1250.h"

#include <array>
#include <QStringDecoder>
#include <QUtf8StringView>

QString DecodeWordListText(const QByteArray& bytes)
{
    QByteArrayView text(bytes);
    for (const auto& [mark, encoding] : {std::pair{"\xFF\xFE", QStringConverter::Utf16LE},
                                         std::pair{"\xFE\xFF", QStringConverter::Utf16BE}}) {
        if (text.startsWith(mark)) {
            QStringDecoder decoder(encoding);
            return decoder.decode(text.sliced(2));
        }
    }
    if (text.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(text.sliced(3));
    if (QUtf8StringView(text).isValidUtf8())
        return QString::fromUtf8(text);
    return Windows1250::Decode(text);
}

namespace {

class CsvRecords {
public:
    CsvRecords(QStringView text, QChar separator) : m_text(text), m_separator(separator) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }

    TableRow Next()
    {
        TableRow row;
        row.line = m_line;
        for (;;) {
            row.fields << field(row);
            if (AtEnd())
                return row;
            if (m_text.at(m_pos) == m_separator) {
                ++m_pos;
                continue;
            }
            skipLineEnd();
            return row;
        }
    }

private:
    bool atLineEnd() const
    {
        return m_text.at(m_pos) == QLatin1Char('\r') || m_text.at(m_pos) == QLatin1Char('\n');
    }

    // Past CR LF, CR or LF, counting the line.
    void skipLineEnd()
    {
        const bool carriageReturn = m_text.at(m_pos) == QLatin1Char('\r');
        ++m_pos;
        if (carriageReturn && !AtEnd() && m_text.at(m_pos) == QLatin1Char('\n'))
            ++m_pos;
        ++m_line;
    }

    QString field(TableRow& row)
    {
        QString value;
        if (AtEnd() || m_text.at(m_pos) != QLatin1Char('"')) {
            const qsizetype start = m_pos;
            while (!AtEnd() && m_text.at(m_pos) != m_separator && !atLineEnd())
                ++m_pos;
            return m_text.sliced(start, m_pos - start).toString();
        }
        ++m_pos;
        for (;;) {
            if (AtEnd()) {
                row.error = QStringLiteral("uvozovky otevřené na tomto řádku se nikde neuzavírají");
                return value;
            }
            const QChar c = m_text.at(m_pos);
            if (c == QLatin1Char('"')) {
                ++m_pos;
                if (AtEnd() || m_text.at(m_pos) != QLatin1Char('"'))
                    break;
                value += c;
                ++m_pos;
            } else if (atLineEnd()) {
                const qsizetype start = m_pos;
                skipLineEnd();
                value += m_text.sliced(start, m_pos - start);
            } else {
                value += c;
                ++m_pos;
            }
        }
        if (!AtEnd() && m_text.at(m_pos) != m_separator && !atLineEnd()) {
            if (row.error.isEmpty())
                row.error = QStringLiteral("za uzavírací uvozovkou pole pokračuje text");
            while (!AtEnd() && m_text.at(m_pos) != m_separator && !atLineEnd())
                value += m_text.at(m_pos++);
        }
        return value;
    }

    QStringView m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
    int m_line = 1;
};

bool isBlankRow(const TableRow& row)
{
    return row.error.isEmpty() && row.fields.size() == 1 && row.fields.at(0).trimmed().isEmpty();
}

} // namespace

QChar DetectCsvSeparator(QStringView text)
{
    // On a tie the one that ordinary words hold least often wins: "pes; psík" is rarer
    // than "pes, psík".
    const std::array candidates{QChar(u'\t'), QChar(u';'), QChar(u',')};
    QChar best = candidates.back();
    int bestRows = -1;
    for (const QChar separator : candidates) {
        CsvRecords records(text, separator);
        int rows = 0;
        for (int read = 0; read < 100 && !records.AtEnd();) {
            const TableRow row = records.Next();
            if (isBlankRow(row))
                continue;
            ++read;
            if (row.fields.size() >= 2)
                ++rows;
        }
        if (rows > bestRows) {
            best = separator;
            bestRows = rows;
        }
    }
    return best;
}

QList<TableRow> ReadCsv(QStringView text, QChar separator)
{
    QList<TableRow> rows;
    CsvRecords records(text, separator);
    while (!records.AtEnd()) {
        TableRow row = records.Next();
        if (!isBlankRow(row))
            rows.append(std::move(row));
    }
    return rows;
}

QList<TableRow> ReadTsv(QStringView text)
{
    QList<TableRow> rows;
    int line = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text.at(end) != QLatin1Char('\r') &&
               text.at(end) != QLatin1Char('\n'))
            ++end;
        ++line;
        const QStringView content = text.sliced(pos, end - pos);
        if (!content.trimmed().isEmpty()) {
            TableRow row;
            row.line = line;
            for (const QStringView field : content.split(QLatin1Char('\t')))
                row.fields << field.toString();
            rows.append(std::move(row));
        }
        pos = end;
        if (pos < text.size()) {
            const bool carriageReturn = text.at(pos) == QLatin1Char('\r');
            ++pos;
            if (carriageReturn && pos < text.size() && text.at(pos) == QLatin1Char('\n'))
                ++pos;
        }
    }
    return rows;
}
