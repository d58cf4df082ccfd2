#include "lessons/lessonchoice.h"

#include <QSet>
#include <QStringList>

namespace {

constexpr QLatin1StringView LeftOutMark{"-"};
constexpr QLatin1StringView BundledWord{"pribalena"};
constexpr QLatin1StringView OwnWord{"vlastni"};
constexpr QChar EntrySeparator{u'|'};
constexpr QChar KindSeparator{u'/'};

// One byte string per name, for looking names up among many files.
QByteArray key(const LessonName& name)
{
    return (name.kind == LessonFolderKind::Bundled ? 'b' : 'o') + name.fileName;
}

QSet<QByteArray> keys(const std::vector<LessonName>& names)
{
    QSet<QByteArray> set;
    set.reserve(qsizetype(names.size()));
    for (const LessonName& name : names)
        set.insert(key(name));
    return set;
}

// The key of a listed file, written into out, which keeps its buffer from file to file: the
// space bar filters every listed file, and a folder may hold a hundred thousand.
void writeKey(QByteArray& out, const LessonFile& file, QStringView bundledFolder)
{
    const qsizetype slash = file.path.lastIndexOf(QLatin1Char('/'));
    const bool bundled = QStringView(file.path).left(qMax<qsizetype>(slash, 0)) == bundledFolder;
    out.resize(0);
    out += bundled ? 'b' : 'o';
    if (file.nativePath.isEmpty())
        out += QStringView(file.path).mid(slash + 1).toUtf8();
    else
        out += QByteArrayView(file.nativePath).sliced(file.nativePath.lastIndexOf('/') + 1);
}

} // namespace

QString FormatLessonChoice(const std::vector<LessonName>& leftOut)
{
    QStringList entries;
    for (const LessonName& name : leftOut) {
        const QLatin1StringView kind =
            name.kind == LessonFolderKind::Bundled ? BundledWord : OwnWord;
        entries << LeftOutMark + kind + KindSeparator +
                       QString::fromLatin1(name.fileName.toPercentEncoding());
    }
    return entries.join(EntrySeparator);
}

std::vector<LessonName> ParseLessonChoice(const QString& stored)
{
    std::vector<LessonName> names;
    for (QStringView entry : QStringView(stored).split(EntrySeparator, Qt::SkipEmptyParts)) {
        entry = entry.trimmed();
        if (!entry.startsWith(LeftOutMark))
            continue;
        entry = entry.mid(LeftOutMark.size());
        const qsizetype slash = entry.indexOf(KindSeparator);
        if (slash < 0)
            continue;
        const QStringView kind = entry.left(slash);
        LessonName name;
        if (kind == BundledWord)
            name.kind = LessonFolderKind::Bundled;
        else if (kind == OwnWord)
            name.kind = LessonFolderKind::Own;
        else
            continue;
        name.fileName = QByteArray::fromPercentEncoding(entry.mid(slash + 1).toLatin1());
        // No file is called that: a hand-edited or damaged entry.
        if (name.fileName.isEmpty() || name.fileName.contains('/') || name.fileName.contains('\0'))
            continue;
        names.push_back(std::move(name));
    }
    return names;
}

LessonName NameOfLesson(const LessonFile& file, const QString& bundledFolder)
{
    QByteArray written;
    writeKey(written, file, bundledFolder);
    return {written.startsWith('b') ? LessonFolderKind::Bundled : LessonFolderKind::Own,
            written.mid(1)};
}

std::vector<bool> ChosenFlags(const std::vector<LessonName>& names,
                              const std::vector<LessonName>& leftOut)
{
    std::vector<bool> chosen(names.size(), true);
    if (leftOut.empty())
        return chosen;
    const QSet<QByteArray> out = keys(leftOut);
    bool any = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        chosen[i] = !out.contains(key(names[i]));
        any = any || chosen[i];
    }
    if (!any)
        chosen.assign(names.size(), true);
    return chosen;
}

std::vector<qsizetype> ChosenPositions(qsizetype count,
                                       const std::function<LessonFile(qsizetype)>& fileAt,
                                       const std::vector<LessonName>& leftOut,
                                       const QString& bundledFolder)
{
    std::vector<qsizetype> picked;
    if (leftOut.empty())
        return picked;
    const QSet<QByteArray> out = keys(leftOut);
    picked.reserve(size_t(count));
    QByteArray written;
    for (qsizetype position = 0; position < count; ++position) {
        writeKey(written, fileAt(position), bundledFolder);
        if (!out.contains(written))
            picked.push_back(position);
    }
    if (qsizetype(picked.size()) == count)
        picked.clear();
    return picked;
}

ChosenLessonPositions::ChosenLessonPositions(std::vector<LessonName> leftOut, QString bundledFolder)
    : m_leftOut(std::move(leftOut)), m_bundledFolder(std::move(bundledFolder))
{
}

std::vector<qsizetype> ChosenLessonPositions::In(const LessonFileList& files)
{
    if (m_generation != files.Generation()) {
        m_positions = ChosenPositions(
            files.Size(), [&files](qsizetype position) { return files.At(position); }, m_leftOut,
            m_bundledFolder);
        m_generation = files.Generation();
    }
    return m_positions;
}

std::vector<LessonName> LeftOutAfter(const std::vector<LessonName>& listed,
                                     const std::vector<bool>& checked,
                                     const std::vector<LessonName>& storedLeftOut)
{
    std::vector<LessonName> leftOut;
    for (std::size_t i = 0; i < listed.size() && i < checked.size(); ++i) {
        if (!checked[i])
            leftOut.push_back(listed[i]);
    }
    const QSet<QByteArray> shown = keys(listed);
    QSet<QByteArray> kept;
    for (const LessonName& name : storedLeftOut) {
        const QByteArray k = key(name);
        if (!shown.contains(k) && !kept.contains(k)) {
            kept.insert(k);
            leftOut.push_back(name);
        }
    }
    return leftOut;
}
