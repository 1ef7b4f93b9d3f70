# Installation and the Debian package. The real game goes to libexec; the
# command users type is the launcher, which prepares a per-user working folder.
include(GNUInstallDirs)

set(MIRAGE_DATA_DIR ${CMAKE_INSTALL_DATADIR}/mirage)
set(MIRAGE_GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/mirage)
file(RELATIVE_PATH MIRAGE_DATA_RELATIVE /${CMAKE_INSTALL_BINDIR} /${MIRAGE_DATA_DIR})
file(RELATIVE_PATH MIRAGE_GAME_RELATIVE /${CMAKE_INSTALL_BINDIR} /${MIRAGE_GAME_DIR}/mirage)
configure_file(${CMAKE_SOURCE_DIR}/packaging/mirage.in ${CMAKE_BINARY_DIR}/launcher/mirage @ONLY)

add_custom_target(mirage_data_stamp ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT=${CMAKE_BINARY_DIR}/data-stamp
          -P ${CMAKE_SOURCE_DIR}/packaging/DataStamp.cmake
  BYPRODUCTS ${CMAKE_BINARY_DIR}/data-stamp
  COMMENT "Hashing the game data")

install(TARGETS mirage RUNTIME DESTINATION ${MIRAGE_GAME_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/mirage DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Resources DESTINATION ${MIRAGE_DATA_DIR}
  PATTERN "*.bin" EXCLUDE PATTERN "*.bin.tmp*" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/Config.cfg ${CMAKE_BINARY_DIR}/data-stamp DESTINATION ${MIRAGE_DATA_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/mirage.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/mirage.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirage)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Mirage developers <mirage@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D breakout game on an oasis")
set(CPACK_PACKAGE_DESCRIPTION "Steer the paddle with the mouse, keep the balls in play and clear the blocks of a field floating on the water of a desert oasis.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The shared libraries come from dpkg-shlibdeps; a GL driver is needed to draw.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri | libgl1")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

add_test(NAME Install.LauncherPreparesUserFolder
  COMMAND bash ${CMAKE_SOURCE_DIR}/Tests/Install/install_test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(Install.LauncherPreparesUserFolder PROPERTIES TIMEOUT 300)
