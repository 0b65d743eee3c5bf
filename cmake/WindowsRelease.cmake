# The Windows release: a zip (`cmake --build ... --target package`, or cpack in
# the build folder) holding the program, the help pages it opens from help\
# beside itself, and README.TXT for administrators. The 32-bit build puts in
# each shipped program stripped (cmake/Win9xProgram.cmake installs them); the
# 64-bit one its program as built, stripped by cpack.

if(NOT KELDWICK_WIN9X)
  install(TARGETS keldwick RUNTIME DESTINATION .)
  set(CPACK_STRIP_FILES ON)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/ui/help/ DESTINATION help)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/ui/help-windows/ DESTINATION help)

# Plain text as Windows 95's Notepad reads it: CR LF line ends.
set(VERSION ${PROJECT_VERSION})
configure_file(${PROJECT_SOURCE_DIR}/ui/release/README.TXT ${PROJECT_BINARY_DIR}/README.TXT @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/README.TXT DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME keldwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(KELDWICK_WIN9X)
  set(CPACK_PACKAGE_FILE_NAME keldwick-${PROJECT_VERSION}-windows-x86)
else()
  set(CPACK_PACKAGE_FILE_NAME keldwick-${PROJECT_VERSION}-windows-x64)
endif()
include(CPack)
