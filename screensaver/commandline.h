#pragma once

#include <QString>
#include <QStringList>

// The argument string as the screen-saver host hands it over: the arguments after the
// program's own path, joined by single blanks and otherwise left as they are.
QString ArgumentString(const QStringList& arguments);

enum class LaunchMode { Settings, Saver, End };

// "/c" opens the settings, "/s" or nothing at all runs the saver; only the first two
// characters count, in either case. Anything else, a preview or password request
// included, ends the program.
LaunchMode DispatchCommandLine(const QString& argumentString);
