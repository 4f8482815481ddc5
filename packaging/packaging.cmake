# Installing Kelmot (cmake --install, default prefix /usr/local) and its Debian
# package (make package). Places follow the freedesktop conventions:
#   bin/kelmot                              the launcher, on the PATH
#   libexec/kelmot/kelmot                   the game itself
#   libexec/kelmot/kelmot-dialog.so         its start-up dialog, loaded from beside it
#   share/kelmot/Data/                      its pictures
#   share/applications/kelmot.desktop       the menu entry
#   share/icons/hicolor/NxN/apps/kelmot.png the icon, drawn by tools/
#   share/man/man6/kelmot.6.gz              the manual page
#   share/doc/kelmot/changelog.gz           what each release brought
include(GNUInstallDirs)

set(KELMOT_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/kelmot)
set(KELMOT_DATA_DIR ${CMAKE_INSTALL_DATADIR}/kelmot)

install(TARGETS kelmot RUNTIME DESTINATION ${KELMOT_PROGRAM_DIR})
install(TARGETS kelmot_dialog_module LIBRARY DESTINATION ${KELMOT_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Data DESTINATION ${KELMOT_DATA_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kelmot.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The launcher finds the game and its pictures relative to itself, so an install
# tree works wherever it is put (a scratch prefix, a package's staging folder).
file(RELATIVE_PATH PROGRAM_FROM_LAUNCHER ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${KELMOT_PROGRAM_DIR}/kelmot)
file(RELATIVE_PATH PICTURES_FROM_LAUNCHER ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${KELMOT_DATA_DIR}/Data)
configure_file(${PROJECT_SOURCE_DIR}/packaging/kelmot.in ${CMAKE_BINARY_DIR}/packaging/kelmot
               @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/kelmot DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual page and the changelog, compressed as Debian keeps them (-n: the
# same bytes each time).
foreach(file kelmot.6 changelog)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${file}.gz
        COMMAND sh -c "gzip -9n <'${PROJECT_SOURCE_DIR}/packaging/${file}' >'${CMAKE_BINARY_DIR}/packaging/${file}.gz'"
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file}
        VERBATIM)
endforeach()
add_custom_target(kelmot_packaging_docs ALL
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/kelmot.6.gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/kelmot.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelmot)

# The Debian package: dpkg-shlibdeps finds the libraries the game links (SDL2,
# OpenGL, GLU, fontconfig, FreeType, GTK 3 and theirs). Two needs show in no
# link and are named here: libGL, which SDL opens while it runs to make the
# OpenGL context, and the font the menus are drawn in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelmot)
set(CPACK_PACKAGE_VENDOR "Kelmot developers")
set(CPACK_PACKAGE_CONTACT "Kelmot developers <maintainers@kelmot.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tic-tac-toe against the computer or a friend")
set(CPACK_PACKAGE_DESCRIPTION "Kelmot is tic-tac-toe in one OpenGL window. Play against the computer,
or sit two people at one keyboard, one on the arrow keys and one on the
keypad. Menus in bitmap text, a red grid in a starfield, coloured
crosses and white noughts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, fonts-liberation2")
set(CPACK_STRIP_FILES ON)
include(CPack)
