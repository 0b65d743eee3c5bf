# 32-bit Windows with Debian's mingw-w64 (package mingw-w64): the program's own target.
set(KELDWICK_MINGW_TRIPLE i686-w64-mingw32)
set(KELDWICK_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
