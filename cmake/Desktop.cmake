# The program as a desktop installs it: the binary, the window module (its
# rule lives in platform/qt), the help pages, the launcher, the icon and the
# manual page; and the Debian package made from them.
include(GNUInstallDirs)

set(KELDWICK_DESKTOP_ID org.keldwick.Keldwick)
set(desktopDir ${PROJECT_SOURCE_DIR}/ui/desktop)
set(iconSizes 16 24 32 48 64 128 256)

install(TARGETS keldwick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${desktopDir}/keldwick.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(KELDWICK_WITH_QT)
  # An uninstalled program and the tests find help and icons in the build
  # tree's share/, laid out as under an installed prefix.
  set(buildShare ${PROJECT_BINARY_DIR}/share)
  set(shareCommands
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/ui/help ${buildShare}/keldwick/help)
  foreach(size IN LISTS iconSizes)
    set(iconDir icons/hicolor/${size}x${size}/apps)
    list(APPEND shareCommands
      COMMAND ${CMAKE_COMMAND} -E copy ${desktopDir}/icons/${size}.png ${buildShare}/${iconDir}/${KELDWICK_DESKTOP_ID}.png)
    install(FILES ${desktopDir}/icons/${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/${iconDir}
            RENAME ${KELDWICK_DESKTOP_ID}.png)
  endforeach()
  file(GLOB helpPages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/ui/help/*)
  add_custom_target(keldwick_build_share ALL ${shareCommands} DEPENDS ${helpPages}
    COMMENT "Copying help and icons into the build tree")

  install(DIRECTORY ${PROJECT_SOURCE_DIR}/ui/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/keldwick/help)
  install(FILES ${desktopDir}/${KELDWICK_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${desktopDir}/${KELDWICK_DESKTOP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keldwick)
set(CPACK_PACKAGE_CONTACT "keldwick maintainers <maintainers@keldwick.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "checks whether this machine runs the right network redirector driver")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_STRIP_FILES ON)
# Library dependencies are read from the binary and the module; the font
# keeps the windows at their designed size where Arial is missing.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
include(CPack)
