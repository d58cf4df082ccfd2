#pragma once

#include <chrono>
#include <memory>
#include <QObject>
#include <QString>

// Where the desktop tells that the user has left it alone for a given time, and that they are
// back. A source wakes the watcher only with these reports: it never polls.
class IdleSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Reports Idle each time the user has been idle for this long, and Active when they come
    // back after it. Called again, it forgets the earlier time.
    virtual void Watch(std::chrono::milliseconds timeout) = 0;
    // The next Idle comes only after a whole timeout counted from now, however long the user
    // has been idle already.
    virtual void RestartTiming() = 0;

signals:
    void Idle();
    void Active();
    // The desktop's own screen saver or blanking came on or went off (where the source can
    // see it).
    void BlankingChanged(bool on);
    // The desktop is gone (the session ended); the watcher has nothing left to do.
    void Lost(const QString& why);
};

// The source of the desktop this process runs in: GNOME's idle monitor where it answers,
// on Wayland the compositor's idle protocol, on X11 the server's idle counter. Nothing, and
// one line in why, where there is none.
std::unique_ptr<IdleSource> OpenIdleSource(QString& why);
