#pragma once

#include "lessons/lessonchoice.h"
#include "lessons/savervariables.h"

#include <optional>
#include <QString>

// What the saver's window takes from the store besides its variables. Every colour is set:
// a stored text that names no colour gives the first-run default of its key.
struct StartAppearance {
    std::optional<quint32> background;
    std::optional<quint32> text;
    std::optional<quint32> shadow;
    QString picturePath;
};

// Resets the run variables and reads the eight settings in their fixed order, writing the
// defaults first when the stored first delay is unusable. When the defaults cannot be
// stored, the run uses them anyway.
StartAppearance ReadSettingsAtStart(SaverVariables& vars);

// The lessons the user left out of the saver's choice, as stored.
std::vector<LessonName> ReadLessonsLeftOut();
