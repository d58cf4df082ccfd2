#pragma once

// Decides, from what the desktop reports, when the idle watcher starts the saver and when
// it must take it away again. It holds no timers and talks to nothing: each report returns
// the one thing to do now.
class SaverPolicy {
public:
    enum class Action {
        None,
        StartSaver,
        // The desktop's lock screen or blanking came up over a running saver: a saver left
        // on top would hide the unlock prompt.
        StopSaver,
        // The user has stayed idle through an inhibitor or a lock; that idleness was not
        // theirs to give, so a whole new idle period has to pass before the saver starts.
        RestartIdleTiming,
    };

    Action UserIdle();
    Action UserActive();
    Action InhibitedChanged(bool inhibited);
    Action LockedChanged(bool locked);
    // The saver could not be started, or it ended in any way. The next start waits for the
    // next idle period: the user comes back, then leaves again.
    Action SaverEnded();

    bool SaverRunning() const { return m_saverRunning; }

private:
    Action restartIfHeldBack() const;

    bool m_idle = false;
    bool m_inhibited = false;
    bool m_locked = false;
    bool m_saverRunning = false;
};
