# Installation and the Debian package, in Debian's layout for games: the
# command in games/, the real game in libexec, its data in share/games. The
# command is the launcher, which prepares a per-user working folder.
include(GNUInstallDirs)

set(MIRAGE_INSTALL_GAMESDIR games CACHE STRING "Folder of the mirage command, relative to the prefix")
set(MIRAGE_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/mirage)
set(MIRAGE_GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/mirage)
# Named after the package, not the project (GNUInstallDirs' DOCDIR would say "Mirage").
set(MIRAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/mirage)
set(MIRAGE_APP_ID org.example.mirage)
file(RELATIVE_PATH MIRAGE_DATA_RELATIVE /${MIRAGE_INSTALL_GAMESDIR} /${MIRAGE_DATA_DIR})
file(RELATIVE_PATH MIRAGE_GAME_RELATIVE /${MIRAGE_INSTALL_GAMESDIR} /${MIRAGE_GAME_DIR}/mirage)
configure_file(${CMAKE_SOURCE_DIR}/packaging/mirage.in ${CMAKE_BINARY_DIR}/launcher/mirage @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/mirage.6.in ${CMAKE_BINARY_DIR}/packaging/mirage.6 @ONLY)

# The changelog and the metainfo name the release too; a version bumped in one
# place only would ship a package that contradicts itself.
file(STRINGS ${CMAKE_SOURCE_DIR}/CHANGELOG changelog_head LIMIT_COUNT 1)
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/${MIRAGE_APP_ID}.metainfo.xml metainfo_release
     REGEX "<release " LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^mirage \\(${PROJECT_VERSION}\\) "
   OR NOT metainfo_release MATCHES "version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "CHANGELOG and the metainfo's newest release must be version ${PROJECT_VERSION}")
endif()

add_custom_target(mirage_data_stamp ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT=${CMAKE_BINARY_DIR}/data-stamp
          -P ${CMAKE_SOURCE_DIR}/packaging/DataStamp.cmake
  BYPRODUCTS ${CMAKE_BINARY_DIR}/data-stamp
  COMMENT "Hashing the game data")

# Debian wants both compressed at the highest level and without a time stamp.
set(gzip_to sh -c "gzip -9n <\"$0\" >\"$1\"")
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/mirage.6.gz
  COMMAND ${gzip_to} ${CMAKE_BINARY_DIR}/packaging/mirage.6 ${CMAKE_BINARY_DIR}/packaging/mirage.6.gz
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/mirage.6 VERBATIM)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${gzip_to} ${CMAKE_SOURCE_DIR}/CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/CHANGELOG VERBATIM)
add_custom_target(mirage_docs ALL
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/mirage.6.gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)

install(TARGETS mirage RUNTIME DESTINATION ${MIRAGE_GAME_DIR})
# A stripped install (the package's) also drops the compilers' version notes, as Debian's strip does.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment --remove-section=.note
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${MIRAGE_GAME_DIR}/mirage\" COMMAND_ERROR_IS_FATAL ANY)
endif()")
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/mirage DESTINATION ${MIRAGE_INSTALL_GAMESDIR})
# The icons are installed for the desktop below, not as game data.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Resources DESTINATION ${MIRAGE_DATA_DIR}
  PATTERN "*.bin" EXCLUDE PATTERN "*.bin.tmp*" EXCLUDE PATTERN "Icons" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/Config.cfg ${CMAKE_BINARY_DIR}/data-stamp DESTINATION ${MIRAGE_DATA_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${MIRAGE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${MIRAGE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/Resources/Icons/${size}x${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${MIRAGE_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/packaging/mirage.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${MIRAGE_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME mirage)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirage)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# A reserved domain: the project has no mail host of its own to name.
set(CPACK_PACKAGE_CONTACT "The Mirage developers <mirage@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D breakout game on an oasis")
set(CPACK_PACKAGE_DESCRIPTION "Steer the paddle with the mouse, keep the balls in play and clear the
blocks of a field floating on the water of a desert oasis. Dynamite sets off
its neighbours, barrels release extras and launcher blocks send out another
ball; five layouts repeat for ever, seen from three cameras, with sound.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# The shared libraries come from dpkg-shlibdeps; a GL driver is needed to draw.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri | libgl1")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

add_test(NAME Install.LauncherPreparesUserFolder
  COMMAND bash ${CMAKE_SOURCE_DIR}/Tests/Install/install_test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(Install.LauncherPreparesUserFolder PROPERTIES TIMEOUT 300)
