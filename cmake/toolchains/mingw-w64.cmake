# Shared part of the mingw-w64 toolchains; the including file sets KELDWICK_MINGW_TRIPLE.
# The win32-thread compilers are used: the program's threads, locks and waits
# are the system's own (platform/win32), which every Windows since 95 has. That
# thread model has no std::thread or std::mutex, so a stray use fails to
# compile instead of linking a thread library whose imports Windows 95 lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KELDWICK_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${KELDWICK_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KELDWICK_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${KELDWICK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELDWICK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime (libstdc++, libgcc) is linked in so that a built program runs on
# its own, under Wine too; its DLLs would not even load on Windows 95.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
