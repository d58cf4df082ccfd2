#include "support/testenvironment.h"

#include "settings/Module1.h"
#include "settings/keys.h"

#include <cstdio>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

void TemporarySettings::StoreAll(const QStringList& eightValues)
{
    for (qsizetype i = 0; i < eightValues.size(); ++i)
        Store(SettingsKeys::Defaults[i].key, eightValues[i]);
}

registry OpenedSettingsSection()
{
    registry reg;
    OpenSettingsSection(reg);
    return reg;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

bool PermissionsDoNotApply()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return true; // folder permissions work differently there; these tests are for Unix
#endif
}

bool AsUnprivilegedUser(const QStringList& folders, const std::function<bool()>& check)
{
#ifdef Q_OS_UNIX
    if (geteuid() != 0)
        return check();
    const passwd* nobody = getpwnam("nobody");
    if (!nobody) {
        std::fprintf(stderr, "no user \"nobody\" to drop root to\n");
        return false;
    }
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    for (const QString& folder : folders) {
        const QByteArray top = QFile::encodeName(folder);
        if (::chown(top.constData(), uid, gid) != 0)
            return false;
        QDirIterator it(folder,
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QByteArray path = QFile::encodeName(it.next());
            if (::lchown(path.constData(), uid, gid) != 0)
                return false;
        }
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
            _exit(2);
        for (const QString& folder : folders) {
            if (::access(QFile::encodeName(folder).constData(), X_OK) != 0) {
                std::fprintf(stderr,
                             "%s cannot be reached by \"nobody\"; use a TMPDIR it can reach\n",
                             qPrintable(folder));
                _exit(3);
            }
        }
        const bool passed = check();
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(passed ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#else
    Q_UNUSED(folders);
    return check();
#endif
}

bool MakeNotRegularFile(const QString& kind, const QString& path)
{
#ifdef Q_OS_UNIX
    if (kind.startsWith(QLatin1Char('/')))
        return QFile::link(kind, path);
    if (kind == QLatin1String("folder"))
        return QDir().mkdir(path);
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (kind == QLatin1String("link to fifo")) {
        const QString fifo = path + QStringLiteral(".fifo");
        return ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QFile::link(fifo, path);
    }
#else
    Q_UNUSED(kind);
    Q_UNUSED(path);
#endif
    return false;
}

SmallFileSystem::SmallFileSystem(int kilobytes)
{
#ifdef Q_OS_LINUX
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0700";
    m_mounted = m_dir.isValid() && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(),
                                           "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) == 0;
#else
    Q_UNUSED(kilobytes);
#endif
}

SmallFileSystem::~SmallFileSystem()
{
#ifdef Q_OS_LINUX
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
#endif
}

void SmallFileSystem::Fill() const
{
    QFile filler(Path() + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(512, '\0');
    while (filler.write(block) == block.size()) {
    }
    // The last partial page: byte by byte.
    while (filler.write("x", 1) == 1) {
    }
}
