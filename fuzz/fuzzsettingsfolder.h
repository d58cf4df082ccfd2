#pragma once

#include <cstdlib>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// A settings folder of this fuzzer's own, on the RAM disk where there is one: every input
// is written as the settings file, and a disk would hold the fuzzer to a few dozen a second.
inline void UseFuzzSettingsFolder(const char* name)
{
    const QString shm = QStringLiteral("/dev/shm");
    const QString base =
        QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
    const QString folder = base + QLatin1Char('/') + QLatin1String(name) + QLatin1Char('-') +
                           QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(folder);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder));
    static QString made;
    made = folder;
    std::atexit([] { QDir(made).removeRecursively(); });
}

// Written as long ago as a real settings file: one modified a moment ago is waited for before
// the program replaces it, which would hold the fuzzer to five inputs a second.
inline void WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
        file.flush();
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                         QFileDevice::FileModificationTime);
    }
}
