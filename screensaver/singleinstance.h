#pragma once

#include "platform/ownerlock.h"

#include <QString>
#include <memory>

// Tells whether another process of this program was running when this one started. The
// answer is taken once and held for the life of the process, so a window shown again
// within the same process is never mistaken for a second instance.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockFolder);
    Q_DISABLE_COPY(SingleInstance)

    bool PrevInstance() const { return m_prevInstance; }

    // The folder for the lock: per user, and not the settings folder, which may be read-only.
    static QString DefaultLockFolder();

private:
    std::unique_ptr<OwnerLock> m_lock;
    bool m_prevInstance = false;
};
