# Shared part of the mingw-w64 toolchains; the including file sets KELDWICK_MINGW_TRIPLE.
# The posix-thread compilers are used because the program relies on std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KELDWICK_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${KELDWICK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELDWICK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KELDWICK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELDWICK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime is linked in so that a built program runs on its own, under Wine too.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
