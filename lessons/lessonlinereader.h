#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <array>


// Reads a lesson file line by line. Lines end at CR LF, a lone CR or a lone LF. Text is
// Windows-1250 unless the file shows itself to be UTF-8: a byte-order mark, or a first line
// with non-ASCII bytes that is valid UTF-8 (Czech letters in Windows-1250 never are).
class LessonLineReader {
public:
    // Longer lines keep their first MaxLineBytes bytes: nothing in a lesson needs more, and
    // a file without line ends must not be held in memory whole.
    static constexpr qsizetype MaxLineBytes = 16 * 1024;

    explicit LessonLineReader(QIODevice& device);

    bool AtEnd();
    // The next line, without its line end. Call only while !AtEnd().
    QString ReadLine();

private:
    enum class Encoding { Undecided, Utf8, Windows1250 };

    bool fill();
    QString decode(QByteArrayView line);

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_deviceDone = false;
    bool m_firstLine = true;
    Encoding m_encoding = Encoding::Undecided;
    std::array<QChar, 128> m_upperHalf{};
};
