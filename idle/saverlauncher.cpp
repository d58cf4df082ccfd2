#include "idle/saverlauncher.h"

#include <csignal>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

SaverLauncher::SaverLauncher(QString program, QObject* parent)
    : QObject(parent), m_program(std::move(program))
{
    // The saver's own messages go where the watcher's go: the session's log.
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.setInputChannelMode(QProcess::ForwardedInputChannel);
    // The watcher takes its termination signals through a descriptor and so blocks them;
    // the saver must get them as signals again, or nothing could end it.
    m_process.setChildProcessModifier([] {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
    });
    connect(&m_process, &QProcess::finished, this, &SaverLauncher::Ended);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            qWarning("vokabo-idle: spořič %s nelze spustit: %s", qPrintable(m_program),
                     qPrintable(m_process.errorString()));
            emit Ended();
        }
    });
}

SaverLauncher::~SaverLauncher()
{
    m_process.disconnect(this);
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    m_process.waitForFinished(2000);
}

void SaverLauncher::Start()
{
    if (m_process.state() != QProcess::NotRunning)
        return;
    m_process.start(m_program, {QStringLiteral("/s")});
}

void SaverLauncher::Stop()
{
    if (m_process.state() != QProcess::NotRunning)
        m_process.terminate();
}

QString SaverLauncher::SaverBesideProgram()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/vokabo");
    if (QFileInfo(beside).isExecutable())
        return beside;
    const QString found = QStandardPaths::findExecutable(QStringLiteral("vokabo"));
    return found.isEmpty() ? beside : found;
}
