#include "platform/console.h"

#include <windows.h>

void ShowUtf8InConsole()
{
    SetConsoleOutputCP(CP_UTF8);
}
