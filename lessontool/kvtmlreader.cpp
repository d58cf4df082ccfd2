#include "lessontool/kvtmlreader.h"

#include <algorithm>
#include <QHash>
#include <QSet>
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

// Far deeper than KVTML nests (a word type in a word type, markup in a word), and shallow
// enough to read without any risk to the stack.
constexpr int MaxNesting = 64;

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
    explicit KvtmlParser(const QByteArray& bytes) : m_bytes(bytes), m_xml(bytes) {}

    WordList Read()
    {
        WordList list;
        if (!readToRoot(list))
            return list;
        if (m_xml.name() != QLatin1String("kvtml")) {
            list.error = QStringLiteral("soubor není dokument KVTML");
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
            list.error = missingLanguages();
            return list;
        }
        list.warnings = m_warnings;
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
        if (m_xml.error() == QXmlStreamReader::CustomError)
            return m_xml.errorString();
        return QStringLiteral("soubor KVTML je poškozený na řádku %1").arg(m_xml.lineNumber());
    }

    // Past the prolog to the root element. An external entity that the document type declares
    // is never loaded, and the reader drops it without a trace; the lines that use it are
    // told.
    bool readToRoot(WordList& list)
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::StartElement)
                return true;
            if (token != QXmlStreamReader::DTD)
                continue;
            QSet<QByteArray> external;
            for (const QXmlStreamEntityDeclaration& entity : m_xml.entityDeclarations())
                if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty())
                    external.insert(entity.name().toUtf8());
            if (!external.isEmpty())
                warnExternalReferences(external);
        }
        list.error = m_xml.hasError() ? xmlError() : QStringLiteral("soubor není dokument KVTML");
        return false;
    }

    void warnExternalReferences(const QSet<QByteArray>& names)
    {
        qsizetype longest = 0;
        for (const QByteArray& name : names)
            longest = qMax(longest, name.size());
        int line = 1;
        qsizetype counted = 0;
        for (qsizetype at = m_bytes.indexOf('&'); at >= 0; at = m_bytes.indexOf('&', at + 1)) {
            const QByteArrayView after = QByteArrayView(m_bytes).sliced(at + 1);
            const qsizetype length = after.first(qMin(longest + 1, after.size())).indexOf(';');
            if (length < 0 || !names.contains(after.first(length).toByteArray()))
                continue;
            const QByteArrayView name = after.first(length);
            line += int(std::count(m_bytes.cbegin() + counted, m_bytes.cbegin() + at, '\n'));
            counted = at;
            m_warnings.append({line, QStringLiteral("vnější entita „&%1;“ se nenačítá, slovo "
                                                    "bude bez ní")
                                         .arg(QString::fromUtf8(name))});
        }
    }

    // The text of the current element with the text of the elements in it, read without
    // recursion. An entity that the document does not declare is left out with a warning.
    QString text()
    {
        QString result;
        int depth = 1;
        while (depth > 0 && !m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::Characters:
                result += m_xml.text();
                break;
            case QXmlStreamReader::EntityReference:
                if (m_xml.text().isEmpty())
                    m_warnings.append(
                        {int(m_xml.lineNumber()),
                         QStringLiteral("neznámá entita „&%1;“ se vynechá").arg(m_xml.name())});
                else
                    result += m_xml.text();
                break;
            case QXmlStreamReader::StartElement:
                if (++depth > MaxNesting)
                    tooDeep();
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            default:
                break;
            }
        }
        return result;
    }

    void tooDeep()
    {
        m_xml.raiseError(QStringLiteral("soubor KVTML je na řádku %1 vnořený hlouběji než %2 "
                                        "úrovní, tak hluboko ho nečtu")
                             .arg(m_xml.lineNumber())
                             .arg(MaxNesting));
    }

    QString missingLanguages() const
    {
        QString missing;
        if (m_english.isEmpty() && m_czech.isEmpty())
            missing = QStringLiteral("angličtina ani čeština (locale „en“ a „cs“)");
        else if (m_english.isEmpty())
            missing = QStringLiteral("angličtina (locale „en“)");
        else
            missing = QStringLiteral("čeština (locale „cs“)");
        if (m_languages.isEmpty())
            return QStringLiteral("v souboru KVTML chybí %1, nemá žádný jazyk").arg(missing);
        return QStringLiteral("v souboru KVTML chybí %1, má jen %2")
            .arg(missing, m_languages.join(QStringLiteral(", ")));
    }

    void information(WordList& list)
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("title"))
                list.title = text().trimmed();
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
            QString locale;
            QString name;
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == QLatin1String("locale"))
                    locale = text().trimmed();
                else if (m_xml.name() == QLatin1String("name"))
                    name = text().trimmed();
                else
                    m_xml.skipCurrentElement();
            }
            const QString lang = language(locale);
            if (lang == QLatin1String("en") && m_english.isEmpty())
                m_english = id;
            else if (lang == QLatin1String("cs") && m_czech.isEmpty())
                m_czech = id;
            const QString shown = QStringLiteral("„%1“").arg(locale.isEmpty() ? name : locale);
            m_languages << (name.isEmpty() || name == locale
                                ? shown
                                : QStringLiteral("%1 (%2)").arg(shown, name));
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
                result.text = text();
            else if (name == QLatin1String("pronunciation"))
                result.pronunciation = text();
            else if (name == QLatin1String("comment"))
                result.comment = text();
            else if (name == QLatin1String("example"))
                result.example = text();
            else
                m_xml.skipCurrentElement();
        }
        return result;
    }

    // Containers nest (Noun, then Male, ...); an entry's part of speech is the outermost.
    void wordTypes()
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("container"))
                container();
            else
                m_xml.skipCurrentElement();
        }
    }

    // An outermost container with all the containers in it, followed without recursion.
    void container()
    {
        QString name;
        int depth = 1;
        while (depth > 0 && !m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                --depth;
                continue;
            }
            if (token != QXmlStreamReader::StartElement)
                continue;
            const auto element = m_xml.name();
            if (element == QLatin1String("container")) {
                if (++depth > MaxNesting)
                    tooDeep();
            } else if (element == QLatin1String("name") && depth == 1) {
                name = text();
            } else if (element == QLatin1String("entry")) {
                const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
                if (!m_wordTypes.contains(id))
                    m_wordTypes.insert(id, name);
                m_xml.skipCurrentElement();
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    const QByteArray& m_bytes;
    QXmlStreamReader m_xml;
    QString m_english;
    QString m_czech;
    QList<KvtmlEntry> m_entries;
    QHash<QString, QString> m_wordTypes; // entry id -> container name
    QStringList m_languages;             // as the file names them, for a message
    QList<RowMessage> m_warnings;
};

} // namespace

WordList ReadKvtml(const QByteArray& bytes)
{
    return KvtmlParser(bytes).Read();
}
