#include "lessons/lessonlinereader.h"

#include <QTextCodec>
#include <QUtf8StringView>

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

bool isAscii(const QByteArray& bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

LessonLineReader::LessonLineReader(QIODevice& device)
    : m_device(device), m_windows1250(QTextCodec::codecForName("Windows-1250"))
{
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
    QByteArray line;
    bool truncated = false;
    for (;;) {
        if (m_pos >= m_buffer.size() && !fill())
            break; // the last line of a file without a final line end
        const char* data = m_buffer.constData();
        qsizetype end = m_pos;
        while (end < m_buffer.size() && data[end] != '\r' && data[end] != '\n')
            ++end;
        if (!truncated) {
            const qsizetype room = MaxLineBytes - line.size();
            const qsizetype take = qMin(room, end - m_pos);
            line.append(data + m_pos, take);
            truncated = line.size() >= MaxLineBytes;
        }
        if (end == m_buffer.size()) {
            m_pos = end;
            continue; // the line goes on in the next chunk
        }
        m_pos = end + 1;
        if (data[end] == '\r') {
            if (m_pos >= m_buffer.size())
                fill();
            if (m_pos < m_buffer.size() && m_buffer.at(m_pos) == '\n')
                ++m_pos;
        }
        break;
    }
    return decode(line);
}

QString LessonLineReader::decode(QByteArray& line)
{
    if (m_firstLine) {
        m_firstLine = false;
        if (line.startsWith("\xEF\xBB\xBF")) {
            line.remove(0, 3);
            m_encoding = Encoding::Utf8;
        }
    }
    if (m_encoding == Encoding::Undecided && !isAscii(line)) {
        // A line cut at the length limit may end inside a character; judge what is whole.
        QByteArray whole = line;
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
    return m_windows1250->toUnicode(line);
}
