#pragma once

#include <QString>
#include <QtGlobal>

// A lock on a file that the operating system holds for this process and drops the moment the
// process ends, however it ends. Whether the file exists, or what it holds, says nothing:
// only a live owner keeps another process out.
class OwnerLock {
public:
    enum class Outcome {
        Owned,       // this process holds the lock now
        HeldByOther, // a live process holds it
        Unavailable, // the lock cannot be taken at all (no such folder, no rights, no locks)
    };

    explicit OwnerLock(const QString& path);
    ~OwnerLock();
    Q_DISABLE_COPY(OwnerLock)

    Outcome Result() const { return m_outcome; }

private:
    Outcome m_outcome = Outcome::Unavailable;
    // The open lock file: a descriptor on Unix, a handle on Windows.
    qintptr m_handle = -1;
};
