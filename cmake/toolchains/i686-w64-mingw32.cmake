# 32-bit Windows with Debian's mingw-w64 (package mingw-w64): the program's own target.
set(KELDWICK_MINGW_TRIPLE i686-w64-mingw32)
set(KELDWICK_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
# Windows 95's loader refuses programs marked for a later subsystem or system
# version; today's linker default is 4.0, and this keeps it so.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT
       " -Wl,--major-subsystem-version,4,--minor-subsystem-version,0,--major-os-version,4,--minor-os-version,0")
