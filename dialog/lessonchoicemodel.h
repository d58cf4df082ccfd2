#pragma once

#include "lessons/lessonchoice.h"
#include "lessons/lessonsummary.h"

#include <optional>
#include <QAbstractItemModel>
#include <vector>

// The lessons of both folders for the lesson page: under a row for each kind of folder, one
// checkable row per lesson with its title and number of entries. The folders are listed only
// when the page is first shown, and a lesson file is read only when its row is first asked
// for, so that a folder of many thousand files opens the dialog and the page as fast as a
// folder of fifteen.
class LessonChoiceModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { Title, Entries, ColumnCount };

    explicit LessonChoiceModel(QObject* parent = nullptr);

    // The stored choice, with no lesson listed yet.
    void SetStoredChoice(const std::vector<LessonName>& storedLeftOut);
    // The listed files with the stored choice applied.
    void List(const std::vector<LessonFile>& files, const QString& bundledFolder);
    bool Listed() const { return m_listed; }
    // What OK stores: the unchecked lessons and the stored ones not listed now; the stored
    // choice as it was while nothing is listed.
    std::vector<LessonName> LeftOut() const;
    // True when lessons are listed and none of them is checked.
    bool NothingChosen() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Lesson {
        LessonFile file;
        LessonName name;
        bool checked = true;
        mutable std::optional<LessonSummary> summary; // read when first shown
    };
    struct Group {
        LessonFolderKind kind;
        std::vector<Lesson> lessons;
        std::size_t checked = 0;
    };

    // A group row's internal id; a lesson row's is its group's index plus one.
    static constexpr quintptr GroupRow = 0;

    const Group* groupOf(const QModelIndex& index) const;
    const Lesson* lessonAt(const QModelIndex& index) const;
    const LessonSummary& summaryOf(const Lesson& lesson) const;
    QVariant groupData(const Group& group, int column, int role) const;
    QVariant lessonData(const Lesson& lesson, int column, int role) const;
    void setChecked(int group, int first, int last, bool checked);

    std::vector<Group> m_groups;
    std::vector<LessonName> m_storedLeftOut;
    bool m_listed = false;
};
