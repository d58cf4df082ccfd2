#include "lessons/lessonlinereader.h"

#include "platform/windows1250.h"

#include <algorithm>
#include <QUtf8StringView>

namespace {

bool isAscii(QByteArrayView bytes)
{
    unsigned char any = 0;
    for (const char c : bytes)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The text without a character cut off at its end: a file read up to a limit may stop
// inside one, and that alone must not make a UTF-8 lesson Windows-1250.
QByteArrayView withoutCutCharacter(QByteArrayView text)
{
    qsizetype start = text.size();
    while (start > 0 && text.size() - start < 3 && isContinuation(text[start - 1]))
        --start;
    if (start == 0)
        return text;
    const auto lead = static_cast<unsigned char>(text[start - 1]);
    const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length > 1 && text.size() - (start - 1) < length)
        return text.first(start - 1);
    return text;
}

} // namespace

LessonLineReader::LessonLineReader(QByteArray text) : m_text(std::move(text))
{
    if (m_text.startsWith("\xEF\xBB\xBF")) {
        m_pos = 3;
        m_utf8 = true;
    } else {
        m_utf8 = QUtf8StringView(withoutCutCharacter(m_text)).isValidUtf8();
    }
    // The code page maps each byte to one character: decode the upper half once instead of
    // once per line.
    char upperHalf[0x80];
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        upperHalf[byte - 0x80] = static_cast<char>(byte);
    const QString decoded = Windows1250::Decode(QByteArrayView(upperHalf, sizeof upperHalf));
    for (int i = 0; i < 0x80; ++i)
        m_upperHalf[i] = i < decoded.size() ? decoded.at(i) : QChar(QChar::ReplacementCharacter);
}

QString LessonLineReader::ReadLine()
{
    const char* data = m_text.constData();
    const char* const begin = data + m_pos;
    const char* const textEnd = data + m_text.size();
    const char* const end =
        std::find_if(begin, textEnd, [](char c) { return c == '\r' || c == '\n'; });
    qsizetype length = end - begin;
    if (length > MaxLineBytes) {
        length = MaxLineBytes;
        // Cut before a character that does not fit whole, rather than leave half of it.
        while (m_utf8 && length > 0 && isContinuation(begin[length]))
            --length;
    }
    const QString text = decode(QByteArrayView(begin, length));
    m_pos = end - data;
    if (end != textEnd) {
        ++m_pos;
        if (*end == '\r' && m_pos < m_text.size() && data[m_pos] == '\n')
            ++m_pos;
    }
    return text;
}

QString LessonLineReader::decode(QByteArrayView line) const
{
    if (isAscii(line))
        return QString::fromLatin1(line);
    if (m_utf8)
        return QString::fromUtf8(line);
    QString text(line.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = byte < 0x80 ? QChar(char16_t(byte)) : m_upperHalf[byte - 0x80];
    }
    return text;
}
