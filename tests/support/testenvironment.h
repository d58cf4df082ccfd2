#pragma once

#include <QString>
#include <QTemporaryDir>

// A private settings folder for one test: the store is never the user's real file.
class TemporarySettings {
public:
    TemporarySettings();
    ~TemporarySettings();

    QString FilePath() const;
    QString Folder() const { return m_dir.path(); }
    // Reads and writes the stored text directly, past the code under test.
    QString Stored(const QString& key) const;
    bool Has(const QString& key) const;
    void Store(const QString& key, const QString& value);
    void StoreAll(const QStringList& eightValues);

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

// Writes bytes to a file, creating folders on the way.
void WriteFile(const QString& path, const QByteArray& bytes);

// True where file permissions do not bind the test (root on Unix), so that a test of an
// unreadable or unwritable folder has nothing to show.
bool PermissionsDoNotApply();
