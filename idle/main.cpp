#include "idle/autostart.h"
#include "idle/desktopstate.h"
#include "idle/idleoptions.h"
#include "idle/idlesource.h"
#include "idle/idlewatcher.h"
#include "idle/notice.h"
#include "idle/saverlauncher.h"
#include "idle/termination.h"
#include "idle/watcherinstance.h"
#include "idle/xscreensaverconfig.h"
#include "screensaver/singleinstance.h"
#include "settings/idletime.h"
#include "settings/keys.h"
#include "settings/settingsfile.h"

#include <cstdio>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProcess>

namespace {

void printLine(std::FILE* stream, const QString& line)
{
    std::fprintf(stream, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stream);
}

int enable()
{
    // Turned on where it cannot work, it would say nothing and do nothing at every login.
    QString why;
    if (!OpenIdleSource(why)) {
        printLine(stderr, why);
        return 1;
    }
    const QString program = QCoreApplication::applicationFilePath();
    if (const QString problem = Autostart::Write(Autostart::EntryPath(), program);
        !problem.isEmpty()) {
        printLine(stderr, QStringLiteral("vokabo-idle: %1").arg(problem));
        return 1;
    }
    // A watcher that runs already keeps the new one out by itself. The new one holds on to
    // no terminal or pipe of whoever ran this command.
    QProcess watcher;
    watcher.setProgram(program);
    watcher.setStandardInputFile(QProcess::nullDevice());
    watcher.setStandardOutputFile(QProcess::nullDevice());
    watcher.setStandardErrorFile(QProcess::nullDevice());
    if (!watcher.startDetached()) {
        printLine(stderr, QStringLiteral("vokabo-idle: sledování nečinnosti nelze spustit"));
        return 1;
    }
    const QString said = EnabledNotice(IdleTime::Stored());
    printLine(stdout, said);
    ShowDesktopNotice(said);
    return 0;
}

int disable()
{
    const QString removed = Autostart::Remove(Autostart::EntryPath());
    const QString stopped = WatcherInstance::StopRunning(SingleInstance::DefaultLockFolder());
    for (const QString& problem : {removed, stopped}) {
        if (!problem.isEmpty()) {
            printLine(stderr, QStringLiteral("vokabo-idle: %1").arg(problem));
            return 1;
        }
    }
    const QString said = DisabledNotice();
    printLine(stdout, said);
    ShowDesktopNotice(said);
    return 0;
}

int chooseInXscreensaver()
{
    const QString path = XScreensaverConfig::Path();
    const XScreensaverConfig::Outcome outcome = XScreensaverConfig::ChooseVokabo(path);
    if (!outcome.error.isEmpty()) {
        printLine(stderr, QStringLiteral("vokabo-idle: %1").arg(outcome.error));
        return 1;
    }
    QString said =
        outcome.changed
            ? QStringLiteral("xscreensaver teď spouští jen spořič Vokabo (%1).").arg(path)
            : QStringLiteral("xscreensaver už spouští spořič Vokabo (%1).").arg(path);
    if (!outcome.backup.isEmpty())
        said += QStringLiteral(" Původní soubor je v %1.").arg(outcome.backup);
    printLine(stdout, said);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Before anything starts a thread (the bus connection does), so that the signals are
    // blocked in all of them.
    Termination termination;
    QObject::connect(&termination, &Termination::Requested, &app, &QCoreApplication::quit);

    const IdleOptions options = ParseIdleOptions(app.arguments().mid(1));
    switch (options.mode) {
    case IdleOptions::Mode::Refused:
        printLine(stderr, options.error);
        return 2;
    case IdleOptions::Mode::Help:
        std::fputs(IdleUsage().toLocal8Bit().constData(), stdout);
        return 0;
    case IdleOptions::Mode::Enable:
        return enable();
    case IdleOptions::Mode::Disable:
        return disable();
    case IdleOptions::Mode::Xscreensaver:
        return chooseInXscreensaver();
    case IdleOptions::Mode::Watch:
        break;
    }

    const WatcherInstance instance(SingleInstance::DefaultLockFolder());
    if (instance.AnotherRuns()) {
        // That one keeps watching; a second would start a second saver.
        printLine(stderr, QStringLiteral("vokabo-idle: sledování nečinnosti už běží"));
        return 0;
    }

    QString why;
    const std::unique_ptr<IdleSource> source = OpenIdleSource(why);
    if (!source) {
        printLine(stderr, why);
        return 1;
    }
    DesktopState desktop;
    SaverLauncher saver(SaverLauncher::SaverBesideProgram());
    IdleWatcher watcher(*source, desktop, saver);
    int status = 0;
    QObject::connect(source.get(), &IdleSource::Lost, &app, [&status](const QString& reason) {
        printLine(stderr, reason);
        status = 1;
        QCoreApplication::quit();
    });

    auto timeout = options.after.value_or(IdleTime::Stored());
    source->Watch(timeout);

    // A new idle time set in the settings dialog applies at once. The folder is watched, not
    // the file: saving replaces the file, and a watch on the old one would see nothing more.
    QFileSystemWatcher settingsFolder;
    if (!options.after) {
        const QString file = SettingsFilePath(SettingsKeys::AppName);
        settingsFolder.addPath(QFileInfo(file).absolutePath());
        QObject::connect(&settingsFolder, &QFileSystemWatcher::directoryChanged, &app,
                         [&source, &timeout] {
                             const auto stored = IdleTime::Stored();
                             if (stored != timeout) {
                                 timeout = stored;
                                 source->Watch(timeout);
                             }
                         });
    }
    const int result = QCoreApplication::exec();
    return status != 0 ? status : result;
}
