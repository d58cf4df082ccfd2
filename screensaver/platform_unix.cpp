#include "screensaver/platform.h"

#include "screensaver/commandline.h"

#include <QByteArray>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The self-pipe: a signal handler may do little more than write to it.
std::array<int, 2> g_signalPipe{-1, -1};

extern "C" void onTerminationSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

// A host may start the saver with a standard stream closed. The next file opened would then
// take its place: were it the signal pipe, a redirection of stderr (QuietStderr below) would
// swallow a signal that comes meanwhile, and any message on stderr would end the saver.
void keepStandardStreamsOpen()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0 && null != fd) {
            dup2(null, fd);
            close(null);
        }
    }
}

bool makeSignalPipe()
{
    if (pipe(g_signalPipe.data()) != 0)
        return false;
    for (const int fd : g_signalPipe) {
        fcntl(fd, F_SETFD, FD_CLOEXEC);
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

// libxcb tells stderr why a server refused it; the saver says it in its own one line.
class QuietStderr {
public:
    QuietStderr() : m_saved(dup(STDERR_FILENO))
    {
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
            close(null);
        }
    }
    ~QuietStderr()
    {
        if (m_saved >= 0) {
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
        }
    }
    Q_DISABLE_COPY(QuietStderr)

private:
    int m_saved = -1;
};

// X is asked through the library Qt's own X plugin is built on, loaded only for the
// question, so that the program does not link against X.
class Xcb {
public:
    Xcb() : m_library(dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL))
    {
        if (!m_library)
            return;
        m_connect = reinterpret_cast<Connect>(dlsym(m_library, "xcb_connect"));
        m_hasError = reinterpret_cast<HasError>(dlsym(m_library, "xcb_connection_has_error"));
        m_disconnect = reinterpret_cast<Disconnect>(dlsym(m_library, "xcb_disconnect"));
        m_getGeometry = reinterpret_cast<GetGeometry>(dlsym(m_library, "xcb_get_geometry"));
        m_geometryReply =
            reinterpret_cast<GeometryReply>(dlsym(m_library, "xcb_get_geometry_reply"));
        if (m_connect && m_hasError && m_disconnect) {
            const QuietStderr quiet;
            m_connection = m_connect(nullptr, nullptr);
            if (m_connection && m_hasError(m_connection) != 0) {
                m_disconnect(m_connection);
                m_connection = nullptr;
            }
        }
    }
    ~Xcb()
    {
        if (m_connection)
            m_disconnect(m_connection);
        if (m_library)
            dlclose(m_library);
    }
    Q_DISABLE_COPY(Xcb)

    bool Connected() const { return m_connection != nullptr; }

    QSize WindowSize(quint32 window) const
    {
        if (!m_connection || !m_getGeometry || !m_geometryReply)
            return {};
        struct GeometryAnswer {
            quint8 responseType, depth;
            quint16 sequence;
            quint32 length, root;
            qint16 x, y;
            quint16 width, height, borderWidth;
        };
        auto* answer = static_cast<GeometryAnswer*>(
            m_geometryReply(m_connection, m_getGeometry(m_connection, window), nullptr));
        if (!answer)
            return {};
        const QSize size(answer->width, answer->height);
        std::free(answer);
        return size;
    }

private:
    struct Cookie {
        unsigned int sequence;
    };
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    using GetGeometry = Cookie (*)(void*, quint32);
    using GeometryReply = void* (*)(void*, Cookie, void**);

    void* m_library = nullptr;
    void* m_connection = nullptr;
    Connect m_connect = nullptr;
    HasError m_hasError = nullptr;
    Disconnect m_disconnect = nullptr;
    GetGeometry m_getGeometry = nullptr;
    GeometryReply m_geometryReply = nullptr;
};

bool xAnswers()
{
    return Xcb().Connected();
}

bool waylandAnswers()
{
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET"))
        return true;
    QByteArray path = qgetenv("WAYLAND_DISPLAY");
    if (path.isEmpty())
        path = "wayland-0";
    if (!path.startsWith('/')) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return false;
        path = runtime + '/' + path;
    }
    sockaddr_un address{};
    if (size_t(path.size()) >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answers =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return answers;
}

bool platformAnswers(const QByteArray& name)
{
    if (name == "xcb")
        return xAnswers();
    if (name.startsWith("wayland"))
        return waylandAnswers();
    return true; // offscreen, vnc and the like need nothing from outside
}

// Qt's own choice when nothing names a platform: X, but Wayland in a Wayland session
// other than GNOME's.
bool qtPrefersWayland()
{
    if (qgetenv("XDG_SESSION_TYPE") != "wayland")
        return false;
    const QByteArray desktops =
        qgetenv("XDG_CURRENT_DESKTOP").toLower() + qgetenv("XDG_SESSION_DESKTOP").toLower();
    return !desktops.contains("gnome");
}

} // namespace

QString HostArgumentString(const QStringList& arguments)
{
    return ArgumentString(arguments);
}

quintptr HostWindow(const QStringList& arguments)
{
    return XScreensaverWindow(arguments, qEnvironmentVariable("XSCREENSAVER_WINDOW"));
}

void CatchTerminationSignals()
{
    if (g_signalPipe[0] >= 0)
        return;
    keepStandardStreamsOpen();
    if (!makeSignalPipe())
        return;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction previous {};
        sigaction(number, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(number, &action, nullptr);
    }
}

TerminationNotifier::TerminationNotifier(QObject* parent) : QObject(parent)
{
    if (g_signalPipe[0] < 0)
        return;
    m_notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        std::array<char, 16> drained{};
        while (read(g_signalPipe[0], drained.data(), drained.size()) > 0) {
        }
        emit terminationRequested();
    });
}

QString DisplayProblem()
{
    const QByteArray named = qgetenv("QT_QPA_PLATFORM");
    const QString problem =
        QStringLiteral("vokabo: nelze se připojit k obrazovce (DISPLAY=%1, WAYLAND_DISPLAY=%2)")
            .arg(qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"));
    if (!named.isEmpty()) {
        for (const QByteArray& entry : named.split(';')) {
            const QByteArray name = entry.split(':').first().trimmed(); // "xcb:option=value"
            if (!name.isEmpty() && platformAnswers(name))
                return {};
        }
        return problem;
    }
    const bool wayland = qtPrefersWayland();
    if (platformAnswers(wayland ? QByteArray("wayland") : QByteArray("xcb")))
        return {};
    const QByteArray other = wayland ? QByteArray("xcb") : QByteArray("wayland");
    if (!platformAnswers(other))
        return problem;
    qputenv("QT_QPA_PLATFORM", other);
    return {};
}

QSize ForeignWindowSize(quintptr window)
{
    return Xcb().WindowSize(quint32(window));
}

int LatinLetterOfKeycode(quint32 nativeScanCode)
{
    // X and Wayland key codes are the kernel's input codes plus 8; the kernel numbers the
    // keys by their place on the board, which a Latin layout labels as below.
    static constexpr char byPlace[] = "QWERTYUIOP\0\0\0\0ASDFGHJKL\0\0\0\0\0ZXCVBNM";
    constexpr quint32 first = 16 + 8;
    if (nativeScanCode < first || nativeScanCode - first >= sizeof byPlace - 1)
        return 0;
    return byPlace[nativeScanCode - first];
}
