#include "platform/stagedwrites.h"

#include "platform/disksync.h"

#include <cerrno>
#include <filesystem>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <system_error>

namespace fs = std::filesystem;

struct StagedWrites::Staged {
    QString path;
    QString temporary;

    ~Staged()
    {
        if (!temporary.isEmpty())
            QFile::remove(temporary);
    }
};

namespace {

fs::path filesystemPath(const QString& path)
{
    return fs::path(path.toStdU16String());
}

QString reasonOf(const std::error_code& error)
{
    return qt_error_string(error.value());
}

// Whether anything is at the path, a dangling link included.
bool occupied(const QString& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(filesystemPath(path), error));
}

} // namespace

StagedWrites::StagedWrites(Existing existing) : m_existing(existing) {}

StagedWrites::~StagedWrites() = default;

WholeFileWrite StagedWrites::Stage(const QString& path, QByteArrayView bytes)
{
    const QFileInfo target(path);
    if (target.isDir() && !target.isSymLink())
        return {false, qt_error_string(EISDIR)};
    auto staged = std::make_unique<Staged>();
    staged->path = path;
    // A hidden name: the saver lists visible files only, so it never takes a half-written
    // lesson for one.
    QFile file;
    for (int attempt = 0; attempt < 100 && !file.isOpen(); ++attempt) {
        file.setFileName(target.path() + QStringLiteral("/.") + target.fileName() +
                         QLatin1Char('.') +
                         QString::number(QRandomGenerator::global()->generate(), 36));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered) &&
            !file.exists())
            return {false, file.errorString()};
    }
    if (!file.isOpen())
        return {false, file.errorString()};
    staged->temporary = file.fileName();
    // As an edited file keeps its permissions; a link gives way to a file of the usual ones.
    if (m_existing == Existing::Replace && target.isFile() && !target.isSymLink())
        file.setPermissions(target.permissions());
    // Written piece by piece, so that a full disk is reported as such after a part fitted.
    for (qsizetype written = 0; written < bytes.size();) {
        const qint64 piece = file.write(bytes.data() + written, bytes.size() - written);
        if (piece <= 0)
            return {false, file.errorString()};
        written += piece;
    }
    // The new content on the disk before it replaces anything.
    if (!SyncToDisk(file))
        return {false, qt_error_string(errno)};
    file.close();
    if (file.error() != QFileDevice::NoError)
        return {false, file.errorString()};
    m_staged.push_back(std::move(staged));
    return {true, {}};
}

bool StagedWrites::put(Staged& staged, QString& reason) const
{
    const fs::path from = filesystemPath(staged.temporary);
    const fs::path to = filesystemPath(staged.path);
    std::error_code error;
    if (m_existing == Existing::Replace) {
        // A rename replaces whatever has the name, a link itself and not its target.
        fs::rename(from, to, error);
    } else {
        // A link fails when anything has the name, even a file that came after the check.
        fs::create_hard_link(from, to, error);
        if (!error) {
            QFile::remove(staged.temporary);
        } else if (error != std::errc::file_exists && !occupied(staged.path)) {
            // A file system without hard links.
            error.clear();
            fs::rename(from, to, error);
        }
    }
    if (error) {
        reason = reasonOf(error);
        return false;
    }
    staged.temporary.clear();
    return true;
}

StagedWrites::Committed StagedWrites::Commit()
{
    Committed result;
    std::vector<std::pair<QString, bool>> done; // path, whether it was new
    for (const std::unique_ptr<Staged>& staged : m_staged) {
        const bool isNew = !occupied(staged->path);
        QString reason;
        if (put(*staged, reason)) {
            done.emplace_back(staged->path, isNew);
            continue;
        }
        result.write = {false, reason};
        result.failedPath = staged->path;
        for (const auto& [path, wasNew] : done) {
            if (!wasNew || !QFile::remove(path))
                result.replaced << path;
        }
        m_staged.clear();
        return result;
    }
    m_staged.clear();
    result.write = {true, {}};
    return result;
}
