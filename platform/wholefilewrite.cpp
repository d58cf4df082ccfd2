#include "platform/wholefilewrite.h"

#include "platform/fileversion.h"

#include <functional>
#include <QSaveFile>

namespace {

WholeFileWrite writeWhole(const QString& path, QByteArrayView bytes,
                          const std::function<bool()>& stillAsRead)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (stillAsRead && !stillAsRead()) {
        file.cancelWriting();
        return {false, QStringLiteral("soubor mezitím změnil jiný program"), true};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

} // namespace

WholeFileWrite WriteWholeFile(const QString& path, QByteArrayView bytes)
{
    return writeWhole(path, bytes, {});
}

WholeFileWrite WriteWholeFileIfUnchanged(const QString& path, QByteArrayView bytes,
                                         const FileVersion& asRead)
{
    return writeWhole(path, bytes, [&] {
        // One byte more than was read, so that a file that grew is seen to differ.
        return ReadFileVersion(path, asRead.bytes.size() + 1) == asRead;
    });
}
