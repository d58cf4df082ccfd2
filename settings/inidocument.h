#pragma once

#include <optional>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// The settings file as its lines. A change rewrites only the line of its key, so comments,
// other groups and lines that are no setting at all come back byte for byte.
//
// Group and key names match without regard to case, as they do in the registry the file
// stands for. Values read as the INI files written by earlier versions of the program do
// (quotes, backslash escapes, a comment after ";", a list after ","). Bytes that are not
// UTF-8 read as the code units U+DC80 to U+DCFF and are written back as the same bytes.
class IniDocument {
public:
    static IniDocument Parse(const QByteArray& bytes);
    QByteArray Bytes() const;

    // The last value of the key in any group of that name; nothing when there is none.
    std::optional<QString> Value(const QString& group, const QString& key) const;
    // False when the key already reads as that text, so nothing needs writing.
    bool SetValue(const QString& group, const QString& key, const QString& text);
    // False when there was no such key.
    bool Remove(const QString& group, const QString& key);

private:
    enum class Kind { Other, Group, Entry };
    struct Line {
        QByteArray text; // without its line end
        QByteArray end;  // "\n", "\r\n", "\r", or empty for a last line without one
        Kind kind = Kind::Other;
        QString name; // the group's or the key's
        qsizetype valueStart = 0;
    };

    static Line parseLine(QByteArray text, QByteArray end);
    QString lineValue(const Line& line) const;
    QList<qsizetype> entriesOf(const QString& group, const QString& key) const;
    qsizetype insertionPoint(const QString& group) const;
    QByteArray newLineEnd() const;

    QByteArray m_bom;
    QList<Line> m_lines;
};

// Lossless text for stored bytes: valid UTF-8 decodes as usual, every other byte becomes
// U+DC00 plus the byte. ToStoredBytes turns such code units back into their bytes.
QString FromStoredBytes(QByteArrayView bytes);
QByteArray ToStoredBytes(QStringView text);
