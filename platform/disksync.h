#pragma once

#include <QFile>

// Puts an open file's content on the disk itself, not only in the system's cache, so that it
// survives a power cut once this returns true. A file that cannot be synced (a pipe, some
// network file systems) counts as synced: there is nothing more to wait for.
bool SyncToDisk(QFile& file);
