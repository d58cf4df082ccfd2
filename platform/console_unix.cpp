#include "platform/console.h"

void ShowUtf8InConsole() {}
