#include "platform/disksync.h"

#include <cerrno>
#include <unistd.h>

bool SyncToDisk(QFile& file)
{
    return file.flush() && (::fsync(file.handle()) == 0 || errno == EINVAL);
}
