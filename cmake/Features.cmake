# What a build holds. AUTO, what a plain `cmake -B build` gets, builds a part
# wherever what it needs is installed and says at configure time what it left
# out; ON requires it; OFF leaves it out. The presets say ON or OFF.
#
# Sets KELDWICK_WITH_QT (the desktop program's window module) and
# KELDWICK_WITH_TESTS (the test suites).
set(KELDWICK_QT AUTO CACHE STRING "Build the Qt window module of the desktop program: AUTO, ON or OFF")
set_property(CACHE KELDWICK_QT PROPERTY STRINGS AUTO ON OFF)
set(KELDWICK_TESTS AUTO CACHE STRING "Build the test suites: AUTO, ON or OFF")
set_property(CACHE KELDWICK_TESTS PROPERTY STRINGS AUTO ON OFF)

set(KELDWICK_WITH_QT OFF)
if(WIN32)
  # The Windows program draws its windows with the system's own controls.
elseif(KELDWICK_QT STREQUAL "AUTO")
  find_package(Qt6 6.4 QUIET COMPONENTS Widgets PrintSupport)
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    pkg_check_modules(XCB QUIET xcb)
  endif()
  if(Qt6_FOUND AND XCB_FOUND)
    set(KELDWICK_WITH_QT ON)
    message(STATUS "keldwick: the desktop program, with its Qt window module")
  else()
    message(NOTICE
      "keldwick: Qt 6 (Widgets, PrintSupport) or libxcb was not found, so only the hidden program is "
      "built: `keldwick HIDE` works, windows do not. For the desktop program install qt6-base-dev and "
      "libxcb1-dev (scripts/install-deps qt) and configure again.")
  endif()
elseif(KELDWICK_QT)
  set(KELDWICK_WITH_QT ON)
endif()

set(KELDWICK_WITH_TESTS OFF)
if(KELDWICK_TESTS STREQUAL "AUTO")
  # The Windows suite builds GoogleTest from sources: asked for by its presets only.
  if(NOT WIN32)
    find_package(GTest QUIET)
    if(GTest_FOUND)
      set(KELDWICK_WITH_TESTS ON)
    else()
      message(NOTICE "keldwick: GoogleTest was not found, so no tests are built (libgtest-dev, libgmock-dev).")
    endif()
  endif()
elseif(KELDWICK_TESTS)
  set(KELDWICK_WITH_TESTS ON)
endif()
