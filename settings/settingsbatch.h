#pragma once

#include <functional>
#include <QList>
#include <QString>

// Several keys of one section stored as one change. On a settings file that is one reading of
// the file and one write of it, compared with the file right before it replaces it: another
// program's save between two keys is neither lost nor half overwritten, and a file that
// changed meanwhile is read again and the keys applied to what it holds now. In the Windows
// registry, a store of single values, the keys are written one by one
// (settingsbatch_unix.cpp, settingsbatch_windows.cpp).
class SettingsBatch {
public:
    SettingsBatch(QString appName, QString section);

    void Set(const QString& key, const QString& text);
    // The keys are stored only while the stored text of `key` passes `test`, judged on the
    // store as it is when they are written.
    void OnlyWhile(const QString& key, std::function<bool(const QString&)> test);

    enum class Result {
        Saved,   // every key holds its text
        Skipped, // the test of OnlyWhile failed: nothing was written
        Failed,  // the store refused it; a settings file then holds what it held
    };
    Result Save();

private:
    QString m_appName;
    QString m_section;
    QList<std::pair<QString, QString>> m_values;
    QString m_testKey;
    std::function<bool(const QString&)> m_test;
};
