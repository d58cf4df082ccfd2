#include "settings/inidocument.h"

namespace {

constexpr char16_t FirstByteUnit = 0xDC00;

void appendUtf8(QByteArray& out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

bool isByteUnit(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

// One character of text as stored bytes; returns how many code units it took.
qsizetype appendStored(QByteArray& out, QStringView text, qsizetype i)
{
    const char16_t unit = text[i].unicode();
    if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text[i + 1].unicode())) {
        appendUtf8(out, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
        return 2;
    }
    if (isByteUnit(unit))
        out += char(unit - FirstByteUnit);
    else
        appendUtf8(out, QChar::isSurrogate(unit) ? char32_t(0xFFFD) : char32_t(unit));
    return 1;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Earlier versions wrote a few texts with a type marker; they read as the text they held.
QString withoutTypeMarker(const QString& text)
{
    if (!text.startsWith(QLatin1Char('@')))
        return text;
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (!text.endsWith(QLatin1Char(')')))
        return text;
    for (const char* marker : {"@String(", "@ByteArray("}) {
        const QLatin1String prefix(marker);
        if (text.startsWith(prefix))
            return text.mid(prefix.size(), text.size() - prefix.size() - 1);
    }
    for (const char* marker :
         {"@Invalid(", "@Variant(", "@Rect(", "@Size(", "@Point(", "@DateTime("}) {
        if (text.startsWith(QLatin1String(marker)))
            return {};
    }
    return text;
}

// A value as earlier versions read it: blanks around it dropped unless quoted, backslash
// escapes, ";" starting a comment, and the parts of a list joined again by ",".
QString unescapedValue(QByteArrayView raw)
{
    QString result;
    QString piece;
    bool inQuotes = false;
    bool pieceQuoted = false;
    bool isList = false;
    qsizetype chopLimit = 0;
    qsizetype i = 0;
    const qsizetype n = raw.size();
    const auto skipBlanks = [&] {
        while (i < n && isBlank(raw[i]))
            ++i;
        chopLimit = piece.size();
    };
    const auto finishPiece = [&] {
        if (!pieceQuoted) {
            qsizetype end = piece.size();
            while (end > chopLimit &&
                   (piece[end - 1] == QLatin1Char(' ') || piece[end - 1] == QLatin1Char('\t')))
                --end;
            piece.truncate(end);
        }
        result += piece;
    };

    skipBlanks();
    while (i < n) {
        const char c = raw[i];
        if (c == '"') {
            inQuotes = !inQuotes;
            pieceQuoted = true;
            ++i;
            if (!inQuotes)
                skipBlanks();
            continue;
        }
        if (!inQuotes && c == ';')
            break;
        if (!inQuotes && c == ',') {
            finishPiece();
            result += QLatin1Char(',');
            isList = true;
            piece.clear();
            pieceQuoted = false;
            ++i;
            skipBlanks();
            continue;
        }
        if (c == '\\') {
            if (++i >= n)
                break;
            const char e = raw[i];
            switch (e) {
            case 'a':
                piece += QChar(u'\a');
                ++i;
                break;
            case 'b':
                piece += QChar(u'\b');
                ++i;
                break;
            case 'f':
                piece += QChar(u'\f');
                ++i;
                break;
            case 'n':
                piece += QChar(u'\n');
                ++i;
                break;
            case 'r':
                piece += QChar(u'\r');
                ++i;
                break;
            case 't':
                piece += QChar(u'\t');
                ++i;
                break;
            case 'v':
                piece += QChar(u'\v');
                ++i;
                break;
            case 'x': {
                ++i;
                char16_t unit = 0;
                for (int digits = 0; digits < 4 && i < n && hexValue(raw[i]) >= 0; ++digits, ++i)
                    unit = char16_t(unit * 16 + hexValue(raw[i]));
                piece += QChar(unit);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    char16_t unit = 0;
                    for (int digits = 0; digits < 3 && i < n && raw[i] >= '0' && raw[i] <= '7';
                         ++digits, ++i)
                        unit = char16_t(unit * 8 + (raw[i] - '0'));
                    piece += QChar(unit);
                } else if (static_cast<unsigned char>(e) < 0x80) {
                    piece += QLatin1Char(e);
                    ++i;
                }
                // A backslash before a byte of a longer character is dropped; the bytes read on.
                break;
            }
            chopLimit = piece.size();
            continue;
        }
        qsizetype j = i;
        while (j < n && raw[j] != '"' && raw[j] != '\\' &&
               (inQuotes || (raw[j] != ';' && raw[j] != ',')))
            ++j;
        piece += FromStoredBytes(raw.sliced(i, j - i));
        i = j;
    }
    finishPiece();
    return isList ? result : withoutTypeMarker(result);
}

// The value as earlier versions wrote it, so that they read it back the same.
QByteArray escapedValue(const QString& text)
{
    const QString marked = text.startsWith(QLatin1Char('@')) ? QStringLiteral("@") + text : text;
    QByteArray out;
    out.reserve(marked.size() + 2);
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    for (qsizetype i = 0; i < marked.size();) {
        const char16_t c = marked[i].unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        if (escapeNextIfHex && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            ++i;
            continue;
        }
        escapeNextIfHex = false;
        switch (c) {
        case u'\0':
            out += "\\0";
            escapeNextIfHex = true;
            break;
        case u'\a':
            out += "\\a";
            break;
        case u'\b':
            out += "\\b";
            break;
        case u'\f':
            out += "\\f";
            break;
        case u'\n':
            out += "\\n";
            break;
        case u'\r':
            out += "\\r";
            break;
        case u'\t':
            out += "\\t";
            break;
        case u'\v':
            out += "\\v";
            break;
        case u'"':
        case u'\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c <= 0x1F) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfHex = true;
            } else {
                i += appendStored(out, marked, i);
                continue;
            }
        }
        ++i;
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString FromStoredBytes(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char lead = p[i];
        if (lead < 0x80) {
            out += QChar(char16_t(lead));
            ++i;
            continue;
        }
        int length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
            least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
            least = 0x10000;
        }
        bool valid = length > 0 && i + length <= n;
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next = p[i + k];
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        valid = valid && code >= least && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            out += QChar(char16_t(FirstByteUnit + lead));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            out += QChar(QChar::highSurrogate(code));
            out += QChar(QChar::lowSurrogate(code));
        } else {
            out += QChar(char16_t(code));
        }
        i += length;
    }
    return out;
}

QByteArray ToStoredBytes(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();)
        i += appendStored(out, text, i);
    return out;
}

IniDocument::Line IniDocument::parseLine(QByteArray text, QByteArray end)
{
    Line line;
    line.text = std::move(text);
    line.end = std::move(end);
    const QByteArray trimmed = line.text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#'))
        return line;
    if (trimmed.startsWith('[')) {
        // A header that lost its "]" still names the group the lines below were written for.
        const qsizetype close = trimmed.indexOf(']');
        line.kind = Kind::Group;
        line.name = FromStoredBytes(trimmed.mid(1, close < 0 ? -1 : close - 1)).trimmed();
        return line;
    }
    const qsizetype equals = line.text.indexOf('=');
    if (equals < 0)
        return line;
    line.name = FromStoredBytes(line.text.left(equals)).trimmed();
    if (line.name.isEmpty())
        return line;
    line.kind = Kind::Entry;
    line.valueStart = equals + 1;
    return line;
}

IniDocument IniDocument::Parse(const QByteArray& bytes)
{
    IniDocument document;
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF")) {
        document.m_bom = QByteArray("\xEF\xBB\xBF");
        rest = rest.sliced(3);
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c != '\n' && c != '\r')
            continue;
        const qsizetype endLength =
            (c == '\r' && i + 1 < rest.size() && rest[i + 1] == '\n') ? 2 : 1;
        document.m_lines.append(parseLine(rest.sliced(start, i - start).toByteArray(),
                                          rest.sliced(i, endLength).toByteArray()));
        i += endLength - 1;
        start = i + 1;
    }
    if (start < rest.size())
        document.m_lines.append(parseLine(rest.sliced(start).toByteArray(), {}));
    return document;
}

QByteArray IniDocument::Bytes() const
{
    QByteArray out = m_bom;
    for (const Line& line : m_lines)
        out += line.text + line.end;
    return out;
}

QString IniDocument::lineValue(const Line& line) const
{
    return unescapedValue(QByteArrayView(line.text).sliced(line.valueStart));
}

QList<qsizetype> IniDocument::entriesOf(const QString& group, const QString& key) const
{
    QList<qsizetype> found;
    bool inGroup = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Group)
            inGroup = sameName(line.name, group);
        else if (inGroup && line.kind == Kind::Entry && sameName(line.name, key))
            found.append(i);
    }
    return found;
}

std::optional<QString> IniDocument::Value(const QString& group, const QString& key) const
{
    const QList<qsizetype> found = entriesOf(group, key);
    if (found.isEmpty())
        return std::nullopt;
    return lineValue(m_lines[found.last()]);
}

qsizetype IniDocument::insertionPoint(const QString& group) const
{
    qsizetype point = -1;
    bool inGroup = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Group) {
            inGroup = sameName(line.name, group);
            if (inGroup)
                point = i + 1;
        } else if (inGroup && line.kind == Kind::Entry) {
            point = i + 1;
        }
    }
    return point;
}

QByteArray IniDocument::newLineEnd() const
{
    for (const Line& line : m_lines) {
        if (!line.end.isEmpty())
            return line.end;
    }
    return QByteArray("\n");
}

bool IniDocument::SetValue(const QString& group, const QString& key, const QString& text)
{
    const QByteArray entry = ToStoredBytes(key) + '=' + escapedValue(text);
    const QList<qsizetype> found = entriesOf(group, key);
    if (!found.isEmpty()) {
        // Earlier lines of the same key are shadowed by this one and stay as they were.
        Line& line = m_lines[found.last()];
        if (lineValue(line) == text)
            return false;
        line = parseLine(entry, line.end);
        return true;
    }
    const QByteArray end = newLineEnd();
    qsizetype at = insertionPoint(group);
    if (at < 0) {
        if (!m_lines.isEmpty()) {
            if (m_lines.last().end.isEmpty())
                m_lines.last().end = end;
            if (!m_lines.last().text.trimmed().isEmpty())
                m_lines.append(parseLine({}, end));
        }
        m_lines.append(parseLine('[' + ToStoredBytes(group) + ']', end));
        at = m_lines.size();
    }
    if (at > 0 && m_lines[at - 1].end.isEmpty())
        m_lines[at - 1].end = end;
    m_lines.insert(at, parseLine(entry, end));
    return true;
}

bool IniDocument::Remove(const QString& group, const QString& key)
{
    const QList<qsizetype> found = entriesOf(group, key);
    for (qsizetype i = found.size() - 1; i >= 0; --i)
        m_lines.removeAt(found[i]);
    return !found.isEmpty();
}
