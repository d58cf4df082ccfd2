#pragma once

#include <QByteArray>
#include <QString>

// The XDG autostart entry that starts the idle watcher with every session of the user.
namespace Autostart {

// In the user's configuration folder ($XDG_CONFIG_HOME, normally ~/.config).
QString EntryPath();

// The entry that starts the program at this absolute path.
QByteArray Entry(const QString& program);

// One argument of an Exec line, quoted so that a desktop reads back exactly this text.
QString ExecArgument(const QString& argument);

// Each returns an empty text on success, else a Czech sentence saying what failed. Writing
// replaces the entry as a whole; removing an entry that is not there is no failure.
QString Write(const QString& path, const QString& program);
QString Remove(const QString& path);

} // namespace Autostart
