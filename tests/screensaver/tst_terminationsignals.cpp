#include "screensaver/platform.h"

#include <csignal>
#include <QSignalSpy>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

class TestTerminationSignals : public QObject {
    Q_OBJECT
private slots:
    // First: the signals are caught once per process, and the test below catches them here.
    void closedStandardStreamsNeverBecomeTheSignalPipe();
    void signalBeforeTheEventLoopEndsTheRun();
};

// Started with stdout and stderr closed, a message on stderr or a redirection of it must
// neither end the saver nor swallow a signal.
void TestTerminationSignals::closedStandardStreamsNeverBecomeTheSignalPipe()
{
#ifdef Q_OS_UNIX
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        close(STDIN_FILENO);
        close(STDOUT_FILENO);
        close(STDERR_FILENO);
        CatchTerminationSignals();
        for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
            struct stat info {};
            if (fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode))
                _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
#else
    QSKIP("signals are a Unix matter");
#endif
}

// A signal that comes while the saver is still starting waits for the event loop.
void TestTerminationSignals::signalBeforeTheEventLoopEndsTheRun()
{
#ifdef Q_OS_UNIX
    CatchTerminationSignals();
    raise(SIGTERM);
    TerminationNotifier notifier;
    QSignalSpy requested(&notifier, &TerminationNotifier::terminationRequested);
    QTRY_COMPARE(requested.count(), 1);
#else
    QSKIP("signals are a Unix matter");
#endif
}

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "tst_terminationsignals.moc"
