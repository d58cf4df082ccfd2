# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler. The posix thread model is
# the one Qt 6 needs (std::thread, std::mutex); the win32 model lacks them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOKABO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VOKABO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOKABO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VOKABO_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW tree (and from the Qt for Windows prefix, which a
# caller adds to CMAKE_FIND_ROOT_PATH); programs such as moc come from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${VOKABO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
