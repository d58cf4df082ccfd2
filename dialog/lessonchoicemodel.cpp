#include "dialog/lessonchoicemodel.h"

#include <QFile>
#include <QFont>

namespace {

QString groupCaption(LessonFolderKind kind)
{
    return kind == LessonFolderKind::Bundled ? QStringLiteral("Přibalené lekce")
                                             : QStringLiteral("Vlastní lekce");
}

Qt::CheckState checkState(bool checked)
{
    return checked ? Qt::Checked : Qt::Unchecked;
}

} // namespace

LessonChoiceModel::LessonChoiceModel(QObject* parent) : QAbstractItemModel(parent) {}

void LessonChoiceModel::SetStoredChoice(const std::vector<LessonName>& storedLeftOut)
{
    beginResetModel();
    m_groups.clear();
    m_storedLeftOut = storedLeftOut;
    m_listed = false;
    endResetModel();
}

void LessonChoiceModel::List(const std::vector<LessonFile>& files, const QString& bundledFolder)
{
    beginResetModel();
    m_groups.clear();
    m_listed = true;
    const std::vector<LessonName>& storedLeftOut = m_storedLeftOut;
    std::vector<LessonName> names;
    names.reserve(files.size());
    for (const LessonFile& file : files)
        names.push_back(NameOfLesson(file, bundledFolder));
    const std::vector<bool> chosen = ChosenFlags(names, storedLeftOut);
    for (const LessonFolderKind kind : {LessonFolderKind::Bundled, LessonFolderKind::Own}) {
        Group group{kind, {}, 0};
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (names[i].kind != kind)
                continue;
            group.lessons.push_back({files[i], names[i], chosen[i], std::nullopt});
            group.checked += chosen[i] ? 1 : 0;
        }
        if (!group.lessons.empty())
            m_groups.push_back(std::move(group));
    }
    endResetModel();
}

std::vector<LessonName> LessonChoiceModel::LeftOut() const
{
    if (!m_listed)
        return m_storedLeftOut;
    std::vector<LessonName> listed;
    std::vector<bool> checked;
    for (const Group& group : m_groups) {
        for (const Lesson& lesson : group.lessons) {
            listed.push_back(lesson.name);
            checked.push_back(lesson.checked);
        }
    }
    return LeftOutAfter(listed, checked, m_storedLeftOut);
}

bool LessonChoiceModel::NothingChosen() const
{
    bool listed = false;
    for (const Group& group : m_groups) {
        if (group.checked > 0)
            return false;
        listed = listed || !group.lessons.empty();
    }
    return listed;
}

QModelIndex LessonChoiceModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column < 0 || column >= ColumnCount || row < 0)
        return {};
    if (!parent.isValid())
        return row < int(m_groups.size()) ? createIndex(row, column, GroupRow) : QModelIndex();
    const Group* group = groupOf(parent);
    if (!group || parent.internalId() != GroupRow || row >= int(group->lessons.size()))
        return {};
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex LessonChoiceModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == GroupRow)
        return {};
    return createIndex(int(child.internalId() - 1), 0, GroupRow);
}

int LessonChoiceModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return int(m_groups.size());
    if (parent.internalId() != GroupRow || parent.column() != 0)
        return 0;
    const Group* group = groupOf(parent);
    return group ? int(group->lessons.size()) : 0;
}

int LessonChoiceModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

const LessonChoiceModel::Group* LessonChoiceModel::groupOf(const QModelIndex& index) const
{
    if (!index.isValid())
        return nullptr;
    const std::size_t group =
        index.internalId() == GroupRow ? std::size_t(index.row()) : index.internalId() - 1;
    return group < m_groups.size() ? &m_groups[group] : nullptr;
}

const LessonChoiceModel::Lesson* LessonChoiceModel::lessonAt(const QModelIndex& index) const
{
    const Group* group = groupOf(index);
    if (!group || index.internalId() == GroupRow ||
        std::size_t(index.row()) >= group->lessons.size())
        return nullptr;
    return &group->lessons[std::size_t(index.row())];
}

const LessonSummary& LessonChoiceModel::summaryOf(const Lesson& lesson) const
{
    if (!lesson.summary)
        lesson.summary = ReadLessonSummary(lesson.file);
    return *lesson.summary;
}

QVariant LessonChoiceModel::data(const QModelIndex& index, int role) const
{
    if (const Lesson* lesson = lessonAt(index))
        return lessonData(*lesson, index.column(), role);
    if (const Group* group = groupOf(index))
        return groupData(*group, index.column(), role);
    return {};
}

QVariant LessonChoiceModel::groupData(const Group& group, int column, int role) const
{
    if (column == Title && role == Qt::DisplayRole)
        return groupCaption(group.kind);
    if (column == Title && role == Qt::CheckStateRole) {
        if (group.checked == group.lessons.size())
            return Qt::Checked;
        return group.checked == 0 ? Qt::Unchecked : Qt::PartiallyChecked;
    }
    if (role == Qt::FontRole) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}

QVariant LessonChoiceModel::lessonData(const Lesson& lesson, int column, int role) const
{
    switch (role) {
    case Qt::DisplayRole: {
        // Only the rows on screen get here, so only their files are read.
        const LessonSummary& summary = summaryOf(lesson);
        if (column == Entries)
            return summary.readable ? QString::number(summary.entries) : QStringLiteral("–");
        if (!summary.title.isEmpty())
            return summary.title;
        return QFile::decodeName(lesson.name.fileName);
    }
    case Qt::CheckStateRole:
        return column == Title ? QVariant(checkState(lesson.checked)) : QVariant();
    case Qt::ToolTipRole:
        return summaryOf(lesson).readable
                   ? lesson.file.path
                   : lesson.file.path + QStringLiteral("\nSoubor se nedá přečíst.");
    case Qt::TextAlignmentRole:
        return column == Entries ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return {};
    }
}

bool LessonChoiceModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Title || !groupOf(index))
        return false;
    const bool checked = value.value<Qt::CheckState>() != Qt::Unchecked;
    if (index.internalId() == GroupRow) {
        const int last = int(m_groups[std::size_t(index.row())].lessons.size()) - 1;
        setChecked(index.row(), 0, last, checked);
    } else {
        setChecked(int(index.internalId() - 1), index.row(), index.row(), checked);
    }
    return true;
}

void LessonChoiceModel::setChecked(int groupRow, int first, int last, bool checked)
{
    Group& group = m_groups[std::size_t(groupRow)];
    for (int row = first; row <= last; ++row) {
        Lesson& lesson = group.lessons[std::size_t(row)];
        if (lesson.checked != checked) {
            lesson.checked = checked;
            checked ? ++group.checked : --group.checked;
        }
    }
    const QModelIndex groupIndex = index(groupRow, Title);
    emit dataChanged(index(first, Title, groupIndex), index(last, Title, groupIndex),
                     {Qt::CheckStateRole});
    emit dataChanged(groupIndex, groupIndex, {Qt::CheckStateRole});
}

Qt::ItemFlags LessonChoiceModel::flags(const QModelIndex& index) const
{
    if (!groupOf(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Title)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant LessonChoiceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == Title)
        return QStringLiteral("Lekce");
    if (section == Entries)
        return QStringLiteral("Slov");
    return {};
}
