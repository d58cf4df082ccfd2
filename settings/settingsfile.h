#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// Where the settings of an application name live: an INI file in the user's configuration
// folder, or on Windows the registry key that settings of this name have always used.
std::unique_ptr<QSettings> OpenSettingsStore(const QString& appName);

// The file behind the store on platforms that keep it in a file; empty elsewhere.
QString SettingsFilePath(const QString& appName);
