#pragma once

#include "dialog/frmnastaveni.h"
#include "dialog/platformdialogs.h"
#include "lessons/savervariables.h"
#include "screensaver/frmmain.h"

#include <QObject>
#include <QPointer>
#include <QString>

// What lives as long as the process: the command line, the instance test, the saver's
// variables and the two windows, which come and go. The process ends when neither window
// is left.
class Program : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString argumentString;
        bool prevInstance = false;
        QString lessonsFolder;
        PlatformDialogs* dialogs = nullptr; // Qt's own when none is given
    };

    explicit Program(Options options);

    // Loads the main window for the first time. False when no window is left, so the
    // process has nothing to wait for.
    bool Start();

    // Loads a new main window (its load handler runs) and shows it unless the load
    // unloaded it again.
    frmmain* ShowMainWindow();
    // Loads the settings dialog and shows it modeless, without owner.
    frmnastaveni* ShowSettingsDialog();
    // Ends the process at once, with no window shown.
    void EndNow();

    bool Ended() const { return m_ended; }
    bool HasWindows() const;
    const QString& ArgumentString() const { return m_options.argumentString; }
    bool PrevInstance() const { return m_options.prevInstance; }
    const QString& LessonsFolder() const { return m_options.lessonsFolder; }
    // xscreensaver's window that the saver is drawn into, or 0 for a saver of its own.
    quintptr HostWindow() const { return m_hostWindow; }
    void SetHostWindow(quintptr window) { m_hostWindow = window; }
    PlatformDialogs& Dialogs() { return m_options.dialogs ? *m_options.dialogs : m_qtDialogs; }
    SaverVariables& Variables() { return m_vars; }
    frmmain* MainWindow() const { return m_main; }
    frmnastaveni* SettingsDialog() const { return m_dialog; }

signals:
    // Nothing is left to run: the process ends.
    void finished();

private:
    void windowGone();

    Options m_options;
    QtPlatformDialogs m_qtDialogs;
    SaverVariables m_vars;
    QPointer<frmmain> m_main;
    QPointer<frmnastaveni> m_dialog;
    bool m_ended = false;
    quintptr m_hostWindow = 0;
};
