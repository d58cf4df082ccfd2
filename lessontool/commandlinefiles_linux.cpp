#include "lessontool/commandlinefiles.h"

#include "platform/windows1250.h"

#include <cerrno>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QUtf8StringView>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray nativeName(const LessonFile& file)
{
    return file.nativePath.isEmpty() ? QFile::encodeName(file.path) : file.nativePath;
}

} // namespace

bool ReadNamedFile(const LessonFile& file, qint64 limit, QByteArray& bytes, QString& error)
{
    // Non-blocking, so that opening a pipe does not wait for a writer; the type is then taken
    // from what was opened.
    int descriptor = -1;
    do {
        descriptor =
            ::open(nativeName(file).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        error = errno == ENOENT || errno == ENOTDIR ? QStringLiteral("soubor neexistuje")
                                                    : QStringLiteral("soubor nejde otevřít");
        return false;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        error = QStringLiteral("není to obyčejný soubor");
        return false;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    QFile opened;
    if (!opened.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        error = QStringLiteral("soubor nejde otevřít");
        return false;
    }
    bytes = opened.read(qMin<qint64>(limit, qMax<qint64>(info.st_size, 0) + 1));
    if (opened.error() != QFileDevice::NoError) {
        error = QStringLiteral("soubor nejde přečíst");
        return false;
    }
    return true;
}

QString NamedFileBaseName(const LessonFile& file)
{
    QByteArray name = nativeName(file);
    name = name.mid(name.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    return QUtf8StringView(name).isValidUtf8() ? QString::fromUtf8(name)
                                               : Windows1250::Decode(name);
}

OutputFolder::OutputFolder(const LessonFile& folder) : m_shown(folder.path)
{
    const QByteArray native = nativeName(folder);
    if (QFile::encodeName(folder.path) == native) {
        if (QDir().mkpath(folder.path))
            m_path = folder.path;
        return;
    }
    // A name Qt cannot carry is made by its bytes and then lent out through the process's own
    // descriptor table, as the saver opens such lessons.
    for (qsizetype slash = native.indexOf('/', 1);; slash = native.indexOf('/', slash + 1)) {
        ::mkdir((slash < 0 ? native : native.left(slash)).constData(), 0777);
        if (slash < 0)
            break;
    }
    m_descriptor = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_descriptor >= 0)
        m_path = QStringLiteral("/proc/self/fd/%1").arg(m_descriptor);
}

OutputFolder::~OutputFolder()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}
