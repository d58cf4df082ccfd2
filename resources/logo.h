#pragma once

#include <QPixmap>

// The 29 x 27 logo of the banner and of the settings dialog.
QPixmap Logo();
