#pragma once

#include <QByteArray>
#include <QString>
#include <array>

// Splits the text of a lesson file into lines. Lines end at CR LF, a lone CR or a lone LF.
// The text is Windows-1250 unless it shows itself to be UTF-8: a byte-order mark, or the
// whole text valid UTF-8. A guess from one line would misread Windows-1250 words that happen
// to be valid UTF-8 ("déšť", most all-caps words); a whole real lesson in Windows-1250 is not.
class LessonLineReader {
public:
    // Longer lines keep their first MaxLineBytes bytes (in UTF-8, the whole characters among
    // them): nothing in a lesson needs more.
    static constexpr qsizetype MaxLineBytes = 16 * 1024;

    explicit LessonLineReader(QByteArray text);

    bool IsUtf8() const { return m_utf8; }
    bool AtEnd() const { return m_pos >= m_text.size(); }
    // The next line, without its line end. Call only while !AtEnd().
    QString ReadLine();

private:
    QString decode(QByteArrayView line) const;

    QByteArray m_text;
    qsizetype m_pos = 0;
    bool m_utf8 = false;
    std::array<QChar, 128> m_upperHalf{};
};
