#pragma once

#include "settings/registry.h"

#include <functional>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private settings store for one test: never the user's real file, nor on Windows the
// user's real registry (a private key stands in for the user's own for this process).
class TemporarySettings {
public:
    TemporarySettings();
    ~TemporarySettings();

    // The settings file; empty where the store is no file (Windows).
    QString FilePath() const;
    QString Folder() const { return m_dir.path(); }
    // Reads the stored text directly, past the code under test.
    QString Stored(const QString& key) const;
    bool Has(const QString& key) const;
    // Reads as earlier versions of the program did: Qt's INI reader, or on Windows the
    // string value in the registry (empty when the value is of another type).
    QString StoredByEarlierVersions(const QString& key) const;
    // Writes as earlier versions of the program did, so that tests start from such files.
    void Store(const QString& key, const QString& value);
    void StoreAll(const QStringList& eightValues);
    QByteArray FileBytes() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    QString m_registryKey;
};

// The settings section opened as the program opens it, in whichever store is current.
registry OpenedSettingsSection();

// Writes bytes to a file, creating folders on the way.
void WriteFile(const QString& path, const QByteArray& bytes);

// True where file permissions do not bind the test (root on Unix), so that a test of an
// unreadable or unwritable folder has nothing to show.
bool PermissionsDoNotApply();

// Runs check as a user whom file permissions bind, and returns its answer. As root (CI runs
// so) the folders are handed to "nobody" and check runs in a child process that has given up
// root; elsewhere it simply runs. check must not use QVERIFY: the child cannot report to Qt
// Test, so it says what went wrong on stderr and returns false.
bool AsUnprivilegedUser(const QStringList& folders, const std::function<bool()>& check);

// Puts something that is no regular file at path, for the kinds named in hostile-file
// tables: "fifo", "link to fifo" (the FIFO made beside it), "folder", or a device path such
// as "/dev/zero" to link to. False when it cannot be made. Unix only.
bool MakeNotRegularFile(const QString& kind, const QString& path);

// A file system of its own, `kilobytes` large, mounted on a fresh folder for one test (a
// tmpfs on Linux), to see what writes do on a full disk. Mounting needs root, as CI runs;
// elsewhere Path() is empty and the test skips itself.
class SmallFileSystem {
public:
    explicit SmallFileSystem(int kilobytes);
    ~SmallFileSystem();
    Q_DISABLE_COPY(SmallFileSystem)

    QString Path() const { return m_mounted ? m_dir.path() : QString(); }
    // Fills what is left with a file of its own, so that the next write finds no room.
    void Fill() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
