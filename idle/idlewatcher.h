#pragma once

#include "idle/saverpolicy.h"

#include <QObject>

class DesktopState;
class IdleSource;
class SaverLauncher;

// Carries what the idle source and the desktop report to the policy, and what the policy
// decides to the saver and the source.
class IdleWatcher : public QObject {
    Q_OBJECT
public:
    IdleWatcher(IdleSource& source, DesktopState& desktop, SaverLauncher& saver,
                QObject* parent = nullptr);

private:
    void perform(SaverPolicy::Action action);
    void lockChanged();

    IdleSource& m_source;
    DesktopState& m_desktop;
    SaverLauncher& m_saver;
    SaverPolicy m_policy;
    bool m_blanked = false;
};
