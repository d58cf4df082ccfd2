#include "screensaver/platform.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QStringList>
#include <QWidget>

#include <windows.h>

// Windows ends a screen saver by closing its window, or by ending the session (which Qt
// answers itself), not with signals; and it reports every letter key with its Latin
// virtual-key code, whatever the layout.

namespace {

// The command line after the program's path, as the system's C runtime hands it to WinMain:
// the path ends at the first blank outside quotes, and the blanks after it are not part of
// the arguments. Everything else stays as typed.
QString afterProgramPath(QStringView commandLine)
{
    qsizetype i = 0;
    bool quoted = false;
    while (i < commandLine.size() && (commandLine[i] > u' ' || quoted)) {
        if (commandLine[i] == u'"')
            quoted = !quoted;
        ++i;
    }
    while (i < commandLine.size() && commandLine[i] <= u' ' && commandLine[i] != u'\0')
        ++i;
    return commandLine.mid(i).toString();
}

// The host stops a running saver by sending its windows WM_CLOSE. The settings dialog's
// close box sends the same message and keeps its own meaning, so only a full-screen window
// of the saver counts.
class CloseRequests : public QObject, public QAbstractNativeEventFilter {
public:
    explicit CloseRequests(TerminationNotifier* notifier) : QObject(notifier), m_notifier(notifier)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~CloseRequests() override
    {
        if (QCoreApplication* application = QCoreApplication::instance())
            application->removeNativeEventFilter(this);
    }
    Q_DISABLE_COPY(CloseRequests)

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "windows_generic_MSG" && eventType != "windows_dispatcher_MSG")
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message != WM_CLOSE)
            return false;
        const QWidget* window = QWidget::find(WId(msg->hwnd));
        if (!window || !window->isFullScreen())
            return false;
        emit m_notifier->terminationRequested();
        return true;
    }

private:
    TerminationNotifier* m_notifier;
};

} // namespace

QString HostArgumentString(const QStringList&)
{
    // The C runtime's split would lose the quotes and blanks of what the host passed.
    return afterProgramPath(QStringView(reinterpret_cast<const char16_t*>(GetCommandLineW())));
}

quintptr HostWindow(const QStringList&)
{
    return 0;
}

void CatchTerminationSignals() {}

TerminationNotifier::TerminationNotifier(QObject* parent) : QObject(parent)
{
    if (QCoreApplication::instance())
        new CloseRequests(this);
}

QString DisplayProblem()
{
    return {};
}

QSize ForeignWindowSize(quintptr)
{
    return {};
}

int LatinLetterOfKeycode(quint32)
{
    return 0;
}
