#pragma once

#include <chrono>
#include <QString>

// What "--enable" and "--disable" tell the user, who may have started them from the menu
// and then sees no terminal.
QString EnabledNotice(std::chrono::milliseconds idleTime);
QString DisabledNotice();

// A desktop notification, where the desktop shows them; nothing otherwise.
void ShowDesktopNotice(const QString& text);
