#include "platform/disksync.h"

#include <io.h>
#include <windows.h>

bool SyncToDisk(QFile& file)
{
    if (!file.flush())
        return false;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return FlushFileBuffers(handle) || GetLastError() == ERROR_INVALID_FUNCTION;
}
