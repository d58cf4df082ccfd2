#include "lessontool/kvtmlreader.h"

#include <QHash>
#include <QXmlStreamReader>

namespace {

struct Translation {
    QString text;
    QString pronunciation;
    QString comment;
    QString example;
};

struct KvtmlEntry {
    int line = 0;
    QString id;
    QHash<QString, Translation> translations; // by identifier id
};

QString language(const QString& locale)
{
    return locale.trimmed()
        .section(QLatin1Char('_'), 0, 0)
        .section(QLatin1Char('-'), 0, 0)
        .toLower();
}

QString czechPartOfSpeech(const QString& name)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("noun"), QStringLiteral("podstatné jméno")},
        {QStringLiteral("verb"), QStringLiteral("sloveso")},
        {QStringLiteral("adjective"), QStringLiteral("přídavné jméno")},
        {QStringLiteral("adverb"), QStringLiteral("příslovce")},
        {QStringLiteral("pronoun"), QStringLiteral("zájmeno")},
        {QStringLiteral("preposition"), QStringLiteral("předložka")},
        {QStringLiteral("conjunction"), QStringLiteral("spojka")},
        {QStringLiteral("interjection"), QStringLiteral("citoslovce")},
        {QStringLiteral("numeral"), QStringLiteral("číslovka")},
        {QStringLiteral("phrase"), QStringLiteral("fráze")},
    };
    return names.value(name.trimmed().toLower(), name.trimmed());
}

class KvtmlParser {
public:
    explicit KvtmlParser(const QByteArray& bytes) : m_xml(bytes) {}

    WordList Read()
    {
        WordList list;
        if (!m_xml.readNextStartElement() || m_xml.name() != QLatin1String("kvtml")) {
            list.error =
                m_xml.hasError() ? xmlError() : QStringLiteral("soubor není dokument KVTML");
            return list;
        }
        if (!m_xml.attributes().value(QLatin1String("version")).startsWith(QLatin1String("2."))) {
            list.error = QStringLiteral("umím jen KVTML verze 2.0");
            return list;
        }
        while (m_xml.readNextStartElement()) {
            const auto name = m_xml.name();
            if (name == QLatin1String("information"))
                information(list);
            else if (name == QLatin1String("identifiers"))
                identifiers();
            else if (name == QLatin1String("entries"))
                entries();
            else if (name == QLatin1String("wordtypes"))
                wordTypes();
            else
                m_xml.skipCurrentElement();
        }
        if (m_xml.hasError()) {
            list.error = xmlError();
            return list;
        }
        if (m_english.isEmpty() || m_czech.isEmpty()) {
            list.error = QStringLiteral("v souboru KVTML chybí jazyk s locale „en“ nebo „cs“");
            return list;
        }
        for (const KvtmlEntry& entry : m_entries) {
            const Translation english = entry.translations.value(m_english);
            const Translation czech = entry.translations.value(m_czech);
            WordEntry word{english.text,
                           czech.text,
                           english.pronunciation,
                           czechPartOfSpeech(m_wordTypes.value(entry.id)),
                           english.comment.isEmpty() ? czech.comment : english.comment,
                           english.example,
                           czech.example};
            const QString problem = CleanWord(word);
            if (problem.isEmpty())
                list.entries.append(word);
            else
                list.skipped.append({entry.line, problem});
        }
        return list;
    }

private:
    QString xmlError() const
    {
        return QStringLiteral("soubor KVTML je poškozený na řádku %1").arg(m_xml.lineNumber());
    }

    void information(WordList& list)
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("title"))
                list.title = m_xml.readElementText().trimmed();
            else
                m_xml.skipCurrentElement();
        }
    }

    void identifiers()
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String("identifier")) {
                m_xml.skipCurrentElement();
                continue;
            }
            const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() != QLatin1String("locale")) {
                    m_xml.skipCurrentElement();
                    continue;
                }
                const QString lang = language(m_xml.readElementText());
                if (lang == QLatin1String("en") && m_english.isEmpty())
                    m_english = id;
                else if (lang == QLatin1String("cs") && m_czech.isEmpty())
                    m_czech = id;
            }
        }
    }

    void entries()
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String("entry")) {
                m_xml.skipCurrentElement();
                continue;
            }
            KvtmlEntry entry;
            entry.line = int(m_xml.lineNumber());
            entry.id = m_xml.attributes().value(QLatin1String("id")).toString();
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() != QLatin1String("translation")) {
                    m_xml.skipCurrentElement();
                    continue;
                }
                const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
                entry.translations.insert(id, translation());
            }
            m_entries.append(entry);
        }
    }

    Translation translation()
    {
        Translation result;
        while (m_xml.readNextStartElement()) {
            const auto name = m_xml.name();
            if (name == QLatin1String("text"))
                result.text = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (name == QLatin1String("pronunciation"))
                result.pronunciation =
                    m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (name == QLatin1String("comment"))
                result.comment = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (name == QLatin1String("example"))
                result.example = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else
                m_xml.skipCurrentElement();
        }
        return result;
    }

    // Containers nest (Noun, then Male, ...); an entry's part of speech is the outermost.
    void wordTypes()
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String("container")) {
                m_xml.skipCurrentElement();
                continue;
            }
            QString name;
            while (m_xml.readNextStartElement()) {
                const auto element = m_xml.name();
                if (element == QLatin1String("name")) {
                    name = m_xml.readElementText();
                } else if (element == QLatin1String("entry")) {
                    const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
                    if (!m_wordTypes.contains(id))
                        m_wordTypes.insert(id, name);
                    m_xml.skipCurrentElement();
                } else if (element == QLatin1String("container")) {
                    nestedContainer(name);
                } else {
                    m_xml.skipCurrentElement();
                }
            }
        }
    }

    void nestedContainer(const QString& outer)
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("entry")) {
                const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
                if (!m_wordTypes.contains(id))
                    m_wordTypes.insert(id, outer);
                m_xml.skipCurrentElement();
            } else if (m_xml.name() == QLatin1String("container")) {
                nestedContainer(outer);
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    QXmlStreamReader m_xml;
    QString m_english;
    QString m_czech;
    QList<KvtmlEntry> m_entries;
    QHash<QString, QString> m_wordTypes; // entry id -> container name
};

} // namespace

WordList ReadKvtml(const QByteArray& bytes)
{
    return KvtmlParser(bytes).Read();
}
