#pragma once

// Makes the console show the program's UTF-8 output as the letters it writes. A console of
// Windows shows bytes in its own code page (852 on Czech systems), where Czech letters in
// UTF-8 come out as other characters; a terminal on Linux takes UTF-8 as it is.
void ShowUtf8InConsole();
