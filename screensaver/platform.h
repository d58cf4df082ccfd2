#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

class QSocketNotifier;

// What the saver needs from the operating system beyond Qt, kept in one place per system
// (platform_unix.cpp, platform_windows.cpp).

// The argument string as the host handed it to the program (arguments holds the program's
// own path first, then its arguments as the C runtime split them).
QString HostArgumentString(const QStringList& arguments);

// The window of a host that runs the saver inside a window of its own (xscreensaver), or 0.
quintptr HostWindow(const QStringList& arguments);

// Catches SIGTERM, SIGINT and SIGHUP from now on; the notifier below reports them once
// the event loop runs. Called first thing, before anything holds a lock that a default
// end would leave behind. A signal ignored at start stays ignored (nohup).
void CatchTerminationSignals();

// Reports the caught termination signals on the user-interface thread, and where the system
// asks a program to end by closing its windows, that request for a full-screen window.
class TerminationNotifier : public QObject {
    Q_OBJECT
public:
    explicit TerminationNotifier(QObject* parent = nullptr);

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

// Why no window system can be reached, as one line for the user; empty when Qt will find
// one. Qt aborts the process when it finds none, so this is asked before QApplication.
// It may choose Qt's platform itself when only the second of X and Wayland answers.
QString DisplayProblem();

// The size of another program's window (xscreensaver's), which Qt does not ask for; empty
// when there is no such window.
QSize ForeignWindowSize(quintptr window);

// The capital letter that the key with this native key code carries on a Latin layout, or
// 0. Used only when the layout in use gives the key a non-Latin symbol (Cyrillic, Greek).
int LatinLetterOfKeycode(quint32 nativeScanCode);
