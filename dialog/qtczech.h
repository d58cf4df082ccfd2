#pragma once

// Puts Qt's own Czech texts in place of its English ones, so that the colour and file
// choosers and the message boxes speak Czech like the rest of the program, whatever the
// user's language. False when no Czech catalogue is installed; Qt then stays in English.
bool InstallQtCzech();
