# Programs that run during the build. A native build uses its own targets; a
# cross build (Windows from Linux) cannot run what it compiles, so it builds the
# same sources a second time for the build machine, as a nested native project
# in ${KELDWICK_HOST_TOOLS_DIR}, and runs those. Both Windows presets share that
# folder, so the tools are compiled once.
#
# Sets KELDWICK_DEFC: the window-definition compiler to run, and
# KELDWICK_IMPORT_CHECK: the check of a Windows program's imports.
if(NOT CMAKE_CROSSCOMPILING)
  set(KELDWICK_DEFC keldwick_defc)
  set(KELDWICK_IMPORT_CHECK keldwick-import-check)
  return()
endif()

include(ExternalProject)

set(KELDWICK_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools CACHE PATH
    "Build folder of the native build-time programs")
set(KELDWICK_HOST_CXX g++ CACHE STRING "The build machine's C++ compiler")
set(host_defc ${KELDWICK_HOST_TOOLS_DIR}/tools/definition/keldwick_defc)
set(host_import_check ${KELDWICK_HOST_TOOLS_DIR}/tools/imports/keldwick-import-check)

ExternalProject_Add(keldwick_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${KELDWICK_HOST_TOOLS_DIR}
  CMAKE_ARGS
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_CXX_COMPILER=${KELDWICK_HOST_CXX}
    -DKELDWICK_TESTS=OFF
    -DKELDWICK_QT=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target keldwick_defc keldwick-import-check
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${host_defc} ${host_import_check}
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON
)

add_executable(keldwick_host_defc IMPORTED GLOBAL)
set_target_properties(keldwick_host_defc PROPERTIES IMPORTED_LOCATION ${host_defc})
add_dependencies(keldwick_host_defc keldwick_host_tools)
set(KELDWICK_DEFC keldwick_host_defc)

add_executable(keldwick_host_import_check IMPORTED GLOBAL)
set_target_properties(keldwick_host_import_check PROPERTIES IMPORTED_LOCATION ${host_import_check})
add_dependencies(keldwick_host_import_check keldwick_host_tools)
set(KELDWICK_IMPORT_CHECK keldwick_host_import_check)
