#include "lessons/lessonparser.h"

LessonParser::LessonParser(LessonEntries& lesson) : m_lesson(lesson)
{
    m_lesson.WordCount = 0;
}

bool LessonParser::FeedLine(const QString& line)
{
    bool wantsMore = true;
    if (m_lineCounter == 0) {
        // A first line without "/" titles the lesson with the whole line rather than
        // making the file unusable.
        const qsizetype slash = line.indexOf(QLatin1Char('/'));
        m_title = slash < 0 ? line : line.left(slash);
    } else if (m_lineCounter >= 2) {
        ++m_entryCounter;
        switch (m_entryCounter) {
        case 1:
            m_pendingEnglish = line;
            break;
        case 2:
            m_pendingLine2 = line;
            break;
        case 3:
            m_pendingLine3 = line;
            break;
        case 4:
            m_pendingCzech = line;
            break;
        case 6: {
            const qsizetype bar = line.indexOf(QLatin1Char('|'));
            m_pendingLine6Tail = bar < 0 ? line : line.mid(bar + 1);
            // Without a bar the line is a translation alone: no example stands before it.
            m_pendingLine6Head = bar < 0 ? QString() : line.left(bar);
            break;
        }
        default:
            if (m_entryCounter >= 7 && line.startsWith(QLatin1String("--"))) {
                m_entryCounter = 0;
                if (m_title.isEmpty())
                    m_title = QStringLiteral("-");
                if (m_lesson.WordCount < LessonSlots)
                    storeEntry();
                else
                    wantsMore = false;
            }
            break;
        }
    }
    ++m_lineCounter;
    return wantsMore;
}

void LessonParser::storeEntry()
{
    const int slot = m_lesson.WordCount;
    m_lesson.EnglishWords[slot] = m_pendingEnglish;
    m_lesson.CzechWords[slot] = m_pendingCzech;
    m_lesson.EntryLine3[slot] = m_pendingLine3;
    m_lesson.EntryLine6Tail[slot] = m_pendingLine6Tail;
    m_lesson.EntryLine2[slot] = m_pendingLine2;
    m_lesson.EntryLine6Head[slot] = m_pendingLine6Head;
    ++m_lesson.WordCount;
}
