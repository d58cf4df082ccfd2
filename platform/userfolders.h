#pragma once

#include <QString>

// The user's own folders for settings and for data (~/.config and ~/.local/share, on Windows
// the per-user application data folder). A relative XDG_CONFIG_HOME or XDG_DATA_HOME is
// ignored, as the XDG base directory rules ask: it would name a different folder from every
// current folder the program is started in.
QString UserConfigFolder();
QString UserDataFolder();
