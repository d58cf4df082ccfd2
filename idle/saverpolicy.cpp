#include "idle/saverpolicy.h"

using Action = SaverPolicy::Action;

Action SaverPolicy::UserIdle()
{
    m_idle = true;
    if (m_saverRunning || m_inhibited || m_locked)
        return Action::None;
    m_saverRunning = true;
    return Action::StartSaver;
}

Action SaverPolicy::UserActive()
{
    m_idle = false;
    return Action::None;
}

Action SaverPolicy::InhibitedChanged(bool inhibited)
{
    const bool released = m_inhibited && !inhibited;
    m_inhibited = inhibited;
    return released ? restartIfHeldBack() : Action::None;
}

Action SaverPolicy::LockedChanged(bool locked)
{
    const bool unlocked = m_locked && !locked;
    m_locked = locked;
    if (locked && m_saverRunning)
        return Action::StopSaver;
    return unlocked ? restartIfHeldBack() : Action::None;
}

Action SaverPolicy::SaverEnded()
{
    m_saverRunning = false;
    return Action::None;
}

Action SaverPolicy::restartIfHeldBack() const
{
    if (m_idle && !m_saverRunning && !m_inhibited && !m_locked)
        return Action::RestartIdleTiming;
    return Action::None;
}
