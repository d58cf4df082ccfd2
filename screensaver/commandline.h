#pragma once

#include <optional>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The argument string as the screen-saver host hands it over: the arguments after the
// program's own path, joined by single blanks and otherwise left as they are.
QString ArgumentString(const QStringList& arguments);

enum class LaunchMode { Settings, Saver, End };

// "/c" opens the settings, "/s" or nothing at all runs the saver; only the first two
// characters count, in either case. Anything else, a preview or password request
// included, ends the program.
LaunchMode DispatchCommandLine(const QString& argumentString);

// What the program prints when asked for it alone on the command line: a usage text for
// "--help" or "-h", the version for "--version". Nothing for any other argument string,
// which the dispatch then takes as it always has.
std::optional<QString> InformationRequest(const QString& argumentString);

// The window that xscreensaver gives a display hack to draw into, or 0 when this start is
// not such a hack. It takes both the variable xscreensaver sets and one of the argument
// forms it uses (-root, --root, -window-id ID, --window-id ID), so that a user's own start
// from a terminal inside an xscreensaver session still goes through the usual dispatch.
quintptr XScreensaverWindow(const QStringList& arguments, const QString& environmentWindow);
