#include "idle/termination.h"

#include <csignal>
#include <QSocketNotifier>
#include <sys/signalfd.h>
#include <unistd.h>

Termination::Termination(QObject* parent) : QObject(parent)
{
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGINT);
    sigaddset(&ending, SIGHUP);
    // Blocked before any thread starts, so that no thread takes them past the descriptor.
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);
    m_fd = signalfd(-1, &ending, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        signalfd_siginfo info{};
        while (read(m_fd, &info, sizeof info) == sizeof info) {
        }
        emit Requested();
    });
}

Termination::~Termination()
{
    if (m_fd >= 0)
        close(m_fd);
}
