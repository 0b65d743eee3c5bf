# 64-bit Windows with Debian's mingw-w64 (package mingw-w64).
set(KELDWICK_MINGW_TRIPLE x86_64-w64-mingw32)
set(KELDWICK_MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
