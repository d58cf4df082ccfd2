#pragma once

#include "platform/ownerlock.h"

#include <QString>

// One watcher per user: a second one would start a second saver over the first. The
// running watcher leaves its process id beside its lock so that "--disable" can end it.
class WatcherInstance {
public:
    explicit WatcherInstance(const QString& folder);
    Q_DISABLE_COPY(WatcherInstance)

    bool AnotherRuns() const { return m_lock.Result() == OwnerLock::Outcome::HeldByOther; }

    // Ends the watcher that holds the lock in this folder, if one does, and waits until it
    // is gone. Returns an empty text when none runs any more, else why it could not.
    static QString StopRunning(const QString& folder);

private:
    OwnerLock m_lock;
};
