# Installation as a desktop game (cmake --install, make install PREFIX=...) and the Debian package
# (make package). The installed game reads its data from share/games/zerathon and writes into the
# player's own folder; the staged build/game folder stays a portable installation.
# Debian keeps a package's documents under its own lower-case name.
set(CMAKE_INSTALL_DOCDIR share/doc/zerathon CACHE PATH "Documentation folder")
include(GNUInstallDirs)

set(ZERATHON_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/zerathon)
set(ZERATHON_DIST ${CMAKE_SOURCE_DIR}/dist)
# The last place an installed game looks for its data, after the folders found beside the executable.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/runtime/TGameFolders.cpp APPEND PROPERTY COMPILE_DEFINITIONS
    ZERATHON_INSTALLED_DATA_DIR="${CMAKE_INSTALL_FULL_DATADIR}/games/zerathon")

install(TARGETS zerathon RUNTIME DESTINATION games)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${ZERATHON_INSTALL_DATADIR})
install(FILES ${ZERATHON_DIST}/zerathon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZERATHON_DIST}/io.github.kestrune.Zerathon.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(IconSize 48 128 256)
    install(FILES ${ZERATHON_DIST}/icons/zerathon-${IconSize}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${IconSize}x${IconSize}/apps
            RENAME zerathon.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/data/Text/BEWARE__.LICENSE.txt DESTINATION ${CMAKE_INSTALL_DOCDIR}
        RENAME font-license.txt)

# Man pages are installed compressed, as Debian's policy asks.
find_program(GZIP gzip REQUIRED)
set(ManPage ${CMAKE_BINARY_DIR}/zerathon.6.gz)
add_custom_command(OUTPUT ${ManPage}
    COMMAND ${GZIP} -9 -n -c ${ZERATHON_DIST}/zerathon.6 > ${ManPage}
    DEPENDS ${ZERATHON_DIST}/zerathon.6)
add_custom_target(man_page ALL DEPENDS ${ManPage})
install(FILES ${ManPage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zerathon)
set(CPACK_PACKAGE_VENDOR Kestrune)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "space shooter against homing rockets")
# One string: separate arguments would become a CMake list, joined with semicolons in the package.
set(CPACK_PACKAGE_DESCRIPTION "Zerathon is a single-player 2D space shooter. You fly a ship over a wrapping \
playfield and fight homing rockets with a sniper gun, mines and four weapons bought in a shop, through a \
campaign of 19 missions and an endless survival mode with high-score tables.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kestrune <games@kestrune.invalid>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/kestrune/zerathon")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
