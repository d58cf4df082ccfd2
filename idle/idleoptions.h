#pragma once

#include <chrono>
#include <optional>
#include <QString>
#include <QStringList>

// What the command line of the idle watcher asks for.
struct IdleOptions {
    enum class Mode {
        Watch,        // run in the session and start the saver on idleness
        Enable,       // start with every session from now on, and now
        Disable,      // no longer, and end the running watcher
        Xscreensaver, // let xscreensaver run the saver instead: choose it in ~/.xscreensaver
        Help,
        Refused, // error holds the one line to show
    };
    Mode mode = Mode::Watch;
    // For one run instead of the stored idle time, so that a test need not wait minutes.
    std::optional<std::chrono::milliseconds> after;
    QString error;
};

// The arguments after the program's name.
IdleOptions ParseIdleOptions(const QStringList& arguments);

QString IdleUsage();
