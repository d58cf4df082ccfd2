#pragma once

#include <chrono>
#include <optional>
#include <QStringView>

// How long the user must leave the computer alone before the idle watcher starts the saver:
// whole or decimal minutes, as the settings dialog takes them and the settings file holds
// them under its own key.
namespace IdleTime {

inline constexpr double DefaultMinutes = 5;
// Under a minute the saver would start while someone reads; beyond a week nobody means it,
// and the watcher's timers hold the milliseconds of that comfortably.
inline constexpr double ShortestMinutes = 1;
inline constexpr double LongestMinutes = 9999;

// The minutes the text gives, or nothing for text that is no number of minutes in range.
std::optional<double> MinutesFromText(QStringView text);

std::chrono::milliseconds FromMinutes(double minutes);

// The stored idle time; a missing or unusable value, or a store that cannot be read, gives
// the default.
std::chrono::milliseconds Stored();

} // namespace IdleTime
