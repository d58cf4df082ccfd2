#include "lessons/lessonlinereader.h"

#include <QTextCodec>
#include <QUtf8StringView>

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

bool isAscii(QByteArrayView bytes)
{
    unsigned char any = 0;
    for (const char c : bytes)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

} // namespace

LessonLineReader::LessonLineReader(QIODevice& device) : m_device(device)
{
    // The code page maps each byte to one character: ask the codec once for the upper half
    // instead of once per line.
    QTextCodec* codec = QTextCodec::codecForName("Windows-1250");
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char c = static_cast<char>(byte);
        const QString one = codec ? codec->toUnicode(&c, 1) : QString();
        m_upperHalf[byte - 0x80] = one.size() == 1 ? one.at(0) : QChar(QChar::ReplacementCharacter);
    }
}

bool LessonLineReader::fill()
{
    if (m_deviceDone)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const QByteArray chunk = m_device.read(ChunkBytes);
    if (chunk.isEmpty()) {
        m_deviceDone = true;
        return false;
    }
    m_buffer += chunk;
    return true;
}

bool LessonLineReader::AtEnd()
{
    return m_pos >= m_buffer.size() && !fill();
}

QString LessonLineReader::ReadLine()
{
    // Only a line that goes on past the bytes read so far is copied; every other one is
    // decoded straight from the buffer.
    QByteArray spill;
    const auto keep = [&spill](const char* from, qsizetype length) {
        spill.append(from, qMin(length, MaxLineBytes - spill.size()));
    };
    for (;;) {
        if (m_pos >= m_buffer.size() && !fill())
            return decode(spill); // the last line of a file without a final line end
        const char* data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        qsizetype end = m_pos;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        if (end == size) {
            keep(data + m_pos, end - m_pos);
            m_pos = end;
            continue;
        }
        QString text;
        if (spill.isEmpty()) {
            text = decode(QByteArrayView(data + m_pos, qMin(end - m_pos, MaxLineBytes)));
        } else {
            keep(data + m_pos, end - m_pos);
            text = decode(spill);
        }
        const bool carriageReturn = data[end] == '\r';
        m_pos = end + 1;
        if (carriageReturn) {
            if (m_pos >= m_buffer.size())
                fill();
            if (m_pos < m_buffer.size() && m_buffer.at(m_pos) == '\n')
                ++m_pos;
        }
        return text;
    }
}

QString LessonLineReader::decode(QByteArrayView line)
{
    if (m_firstLine) {
        m_firstLine = false;
        if (line.startsWith("\xEF\xBB\xBF")) {
            line = line.sliced(3);
            m_encoding = Encoding::Utf8;
        }
    }
    if (isAscii(line))
        return QString::fromLatin1(line);
    if (m_encoding == Encoding::Undecided) {
        // A line cut at the length limit may end inside a character; judge what is whole.
        QByteArrayView whole = line;
        if (whole.size() >= MaxLineBytes) {
            while (!whole.isEmpty() && (static_cast<unsigned char>(whole.back()) & 0xC0) == 0x80)
                whole.chop(1);
            if (!whole.isEmpty() && static_cast<unsigned char>(whole.back()) >= 0xC0)
                whole.chop(1);
        }
        m_encoding = QUtf8StringView(whole).isValidUtf8() ? Encoding::Utf8 : Encoding::Windows1250;
    }
    if (m_encoding == Encoding::Utf8)
        return QString::fromUtf8(line);
    QString text(line.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = byte < 0x80 ? QChar(char16_t(byte)) : m_upperHalf[byte - 0x80];
    }
    return text;
}
