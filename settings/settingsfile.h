#pragma once

#include "settings/inidocument.h"

#include <functional>
#include <optional>
#include <QString>

// The file behind the store where the store is a file: the INI file of the application name
// in the user's configuration folder.
QString SettingsFilePath(const QString& appName);

// The settings file as it is now; an empty document when there is none yet. Nothing when
// the file cannot be read: not a regular file (a FIFO there must not block the start), no
// permission, or far larger than any settings file.
std::optional<IniDocument> ReadSettingsFile(const QString& path);

// One change of the file: reads it, lets `change` edit what it holds (returning false when
// there is nothing to write), and replaces the file as a whole with the result, but only if
// the file is still as it was read; a file that changed meanwhile is read again and `change`
// asked again. True when the file holds the change. False when it could not be read or
// written, or kept changing; the file then holds what it held. A file the user made
// read-only is not replaced, and no folder is made writable for it.
bool UpdateSettingsFile(const QString& path, const std::function<bool(IniDocument&)>& change);
