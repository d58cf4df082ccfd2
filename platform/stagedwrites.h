#pragma once

#include "platform/wholefilewrite.h"

#include <memory>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

class QFile;

// Several files written as one. Each new content is first written whole beside its file,
// under a hidden name that no lesson list picks up, and flushed to the disk; only when all of
// them are complete do they take their places. A full disk or a failing device therefore
// changes none of the files. What is staged but not committed is removed with this object.
class StagedWrites {
public:
    // What becomes of a file that is already at a path.
    enum class Existing {
        Keep,    // it stays, and that write fails: nothing is ever overwritten
        Replace, // the new file takes its place; a symbolic link is replaced itself, its target
                 // stays as it was
    };

    explicit StagedWrites(Existing existing);
    ~StagedWrites();
    Q_DISABLE_COPY(StagedWrites)

    // Writes bytes beside path, to take its place at Commit.
    WholeFileWrite Stage(const QString& path, QByteArrayView bytes);

    struct Committed {
        WholeFileWrite write;
        QString failedPath;   // on failure: the file that could not take its place
        QStringList replaced; // on failure: files that took their places before it and stay,
                              // because the files they replaced cannot come back
    };
    // Puts every staged file in its place, in the order staged. When one fails, the others
    // are not put in place, and those already in place that were new are removed again.
    Committed Commit();

private:
    struct Staged;
    bool put(Staged& staged, QString& reason) const;

    Existing m_existing;
    std::vector<std::unique_ptr<Staged>> m_staged;
};
