#pragma once

#include "settings/inidocument.h"

#include <memory>
#include <optional>
#include <QString>

// The file behind the store where the store is a file: the INI file of the application name
// in the user's configuration folder.
QString SettingsFilePath(const QString& appName);

// The settings file as it is now; an empty document when there is none yet. Nothing when
// the file cannot be read: not a regular file (a FIFO there must not block the start), no
// permission, or far larger than any settings file.
std::optional<IniDocument> ReadSettingsFile(const QString& path);

// Replaces the file as a whole, so that a crash never leaves half a file. False when it is
// not on disk; a file the user made read-only is not replaced.
bool WriteSettingsFile(const QString& path, const IniDocument& document);
