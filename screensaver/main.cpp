#include "dialog/platformdialogs.h"
#include "lessons/lessonfolder.h"
#include "screensaver/commandline.h"
#include "screensaver/platform.h"
#include "screensaver/program.h"
#include "screensaver/singleinstance.h"

#include <cstdio>
#include <memory>
#include <QApplication>

int main(int argc, char* argv[])
{
    CatchTerminationSignals();

    // The arguments as the host gave them: QApplication would take out and obey its own
    // options (-reverse, -platform, ...), which to a screen saver are arguments like any other.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const quintptr hostWindow = HostWindow(arguments);
    const QString argumentString = HostArgumentString(arguments);
    // Help and version are answered before the lock and the screen: they must work while
    // the saver runs, and on a machine without a display.
    if (const auto information = InformationRequest(argumentString)) {
        const QByteArray text = information->toUtf8();
        const bool written =
            std::fwrite(text.constData(), 1, size_t(text.size()), stdout) == size_t(text.size()) &&
            std::fflush(stdout) == 0;
        return written ? 0 : 1;
    }
    // A refused start shows nothing, so it needs no screen either.
    if (!hostWindow && DispatchCommandLine(argumentString) == LaunchMode::End)
        return 0;
    if (const QString problem = DisplayProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
        return 1;
    }

    int qtArgumentCount = 1;
    QApplication app(qtArgumentCount, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    // xscreensaver runs one copy per monitor, each in a window of its own.
    std::unique_ptr<SingleInstance> instance;
    if (!hostWindow)
        instance = std::make_unique<SingleInstance>(SingleInstance::DefaultLockFolder());
    QtPlatformDialogs dialogs;
    Program program({argumentString, instance && instance->PrevInstance(),
                     LessonsFolderBesideProgram(), &dialogs});
    program.SetHostWindow(hostWindow);
    QObject::connect(&program, &Program::finished, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    // Asked to end, the saver leaves at once: nothing is stored, and the lock goes with
    // the objects above as main returns.
    bool terminated = false;
    TerminationNotifier termination;
    QObject::connect(&termination, &TerminationNotifier::terminationRequested, &app, [&terminated] {
        terminated = true;
        QCoreApplication::exit(0);
    });
    if (!program.Start() || terminated)
        return 0;
    return QApplication::exec();
}
