# 32-bit Windows, the program's own target: every Windows from 95 on, every
# processor from the i486 on. Debian's i686 compilers and their runtime
# libraries need a Pentium Pro and MSVCRT.DLL, which Windows 95 as first sold
# lacks; this toolchain is GCC and the mingw-w64 runtime built from Debian's
# own sources for the i486 and CRTDLL.DLL (tools/toolchain/i486-mingw.sh),
# cached outside the checkout. A first configure builds it when it is missing.
set(KELDWICK_MINGW_TRIPLE i686-w64-mingw32)
set(KELDWICK_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

set(toolchainScript ${CMAKE_CURRENT_LIST_DIR}/../../tools/toolchain/i486-mingw.sh)
execute_process(COMMAND ${toolchainScript} prefix
  OUTPUT_VARIABLE toolchainPrefix RESULT_VARIABLE toolchainStatus OUTPUT_STRIP_TRAILING_WHITESPACE)
if(toolchainStatus EQUAL 3)
  message(STATUS "Building the i486 toolchain once (tools/toolchain/i486-mingw.sh build): about half an hour")
  execute_process(COMMAND ${toolchainScript} build
    OUTPUT_VARIABLE toolchainPrefix RESULT_VARIABLE toolchainStatus OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
if(NOT toolchainStatus EQUAL 0 OR NOT EXISTS ${toolchainPrefix}/bin/${KELDWICK_MINGW_TRIPLE}-g++)
  message(FATAL_ERROR "The i486 toolchain could not be found or built: run tools/toolchain/i486-mingw.sh build")
endif()

set(CMAKE_C_COMPILER ${toolchainPrefix}/bin/${KELDWICK_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${toolchainPrefix}/bin/${KELDWICK_MINGW_TRIPLE}-g++)
set(CMAKE_FIND_ROOT_PATH ${toolchainPrefix} ${toolchainPrefix}/mingw)

# Windows 95's level: whatever a later Windows added does not compile, and
# flags a call passes are those Windows 95 knows.
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0400 -DWINVER=0x0400")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0400 -DWINVER=0x0400")
set(CMAKE_RC_FLAGS_INIT "-D_WIN32_WINNT=0x0400 -DWINVER=0x0400")

# Windows 95's loader refuses programs marked for a later subsystem or system
# version; today's linker default is 4.0, and this keeps it so.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT
       " -Wl,--major-subsystem-version,4,--minor-subsystem-version,0,--major-os-version,4,--minor-os-version,0")
