#include "idle/idlewatcher.h"

#include "idle/desktopstate.h"
#include "idle/idlesource.h"
#include "idle/saverlauncher.h"

IdleWatcher::IdleWatcher(IdleSource& source, DesktopState& desktop, SaverLauncher& saver,
                         QObject* parent)
    : QObject(parent), m_source(source), m_desktop(desktop), m_saver(saver)
{
    connect(&source, &IdleSource::Idle, this, [this] { perform(m_policy.UserIdle()); });
    connect(&source, &IdleSource::Active, this, [this] { perform(m_policy.UserActive()); });
    connect(&source, &IdleSource::BlankingChanged, this, [this](bool on) {
        m_blanked = on;
        lockChanged();
    });
    connect(&desktop, &DesktopState::InhibitedChanged, this,
            [this](bool inhibited) { perform(m_policy.InhibitedChanged(inhibited)); });
    connect(&desktop, &DesktopState::LockedChanged, this, &IdleWatcher::lockChanged);
    connect(&saver, &SaverLauncher::Ended, this, [this] { perform(m_policy.SaverEnded()); });
}

void IdleWatcher::lockChanged()
{
    perform(m_policy.LockedChanged(m_blanked || m_desktop.Locked()));
}

void IdleWatcher::perform(SaverPolicy::Action action)
{
    switch (action) {
    case SaverPolicy::Action::None:
        break;
    case SaverPolicy::Action::StartSaver:
        m_saver.Start();
        break;
    case SaverPolicy::Action::StopSaver:
        m_saver.Stop();
        break;
    case SaverPolicy::Action::RestartIdleTiming:
        m_source.RestartTiming();
        break;
    }
}
