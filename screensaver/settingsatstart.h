#pragma once

#include "lessons/savervariables.h"

#include <QString>
#include <optional>

// What the saver's window takes from the store besides its variables. A colour is missing
// when its stored text is not a usable colour number; the window then keeps its design colour.
struct StartAppearance {
    std::optional<quint32> background;
    std::optional<quint32> text;
    std::optional<quint32> shadow;
    QString picturePath;
};

// Resets the run variables and reads the eight settings in their fixed order, writing the
// defaults first when the stored first delay is unusable.
StartAppearance ReadSettingsAtStart(SaverVariables& vars);
