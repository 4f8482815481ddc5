# Installing Kelmot (cmake --install, default prefix /usr/local) and its Debian
# package (make package). Places follow the freedesktop conventions, and
# Debian's for games:
#   games/kelmot                            the launcher, on every player's PATH
#   libexec/kelmot/kelmot                   the game itself
#   libexec/kelmot/kelmot-dialog.so         its start-up dialog, loaded from beside it
#   libexec/kelmot/kelmot-mode-guard        gives a monitor its mode back after a
#                                           game that ended without doing so
#   share/kelmot/Data/                      its pictures
#   share/applications/kelmot.desktop       the menu entry
#   share/icons/hicolor/NxN/apps/kelmot.png the icon, drawn by tools/
#   share/metainfo/invalid.kelmot.Kelmot.metainfo.xml  what software centres list
#   share/man/man6/kelmot.6.gz              the manual page
#   share/doc/kelmot/                       the licence (copyright), what a player
#                                           gets in this version (NEWS.md) and
#                                           what each release brought (changelog.gz)
include(GNUInstallDirs)

set(KELMOT_LAUNCHER_DIR games)
set(KELMOT_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/kelmot)
set(KELMOT_DATA_DIR ${CMAKE_INSTALL_DATADIR}/kelmot)

install(TARGETS kelmot RUNTIME DESTINATION ${KELMOT_PROGRAM_DIR})
install(TARGETS kelmot_dialog_module LIBRARY DESTINATION ${KELMOT_PROGRAM_DIR})
install(TARGETS kelmot_mode_guard RUNTIME DESTINATION ${KELMOT_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Data DESTINATION ${KELMOT_DATA_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kelmot.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The launcher finds the game and its pictures relative to itself, so an install
# tree works wherever it is put (a scratch prefix, a package's staging folder).
file(RELATIVE_PATH PROGRAM_FROM_LAUNCHER ${CMAKE_INSTALL_PREFIX}/${KELMOT_LAUNCHER_DIR}
     ${CMAKE_INSTALL_PREFIX}/${KELMOT_PROGRAM_DIR}/kelmot)
file(RELATIVE_PATH PICTURES_FROM_LAUNCHER ${CMAKE_INSTALL_PREFIX}/${KELMOT_LAUNCHER_DIR}
     ${CMAKE_INSTALL_PREFIX}/${KELMOT_DATA_DIR}/Data)
configure_file(${PROJECT_SOURCE_DIR}/packaging/kelmot.in ${CMAKE_BINARY_DIR}/packaging/kelmot
               @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/kelmot DESTINATION ${KELMOT_LAUNCHER_DIR})

# What software centres show: its name must be its id.
set(KELMOT_METAINFO invalid.kelmot.Kelmot.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/packaging/kelmot.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${KELMOT_METAINFO} @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KELMOT_METAINFO}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The licence in Debian's machine-readable form: LICENSE's text, its paragraphs
# indented, with a dot for each blank line.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "^.*\nCopyright \\(c\\) [^\n]*\n+" "" licence "${licence}")
string(REGEX REPLACE "\n+$" "" licence "${licence}")
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " KELMOT_LICENSE_PARAGRAPHS " ${licence}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright
               @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/NEWS.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelmot)

# The manual page, which names this version, and the changelog, compressed as
# Debian keeps them (-n: the same bytes each time).
configure_file(${PROJECT_SOURCE_DIR}/packaging/kelmot.6.in ${CMAKE_BINARY_DIR}/packaging/kelmot.6
               @ONLY)
foreach(file ${CMAKE_BINARY_DIR}/packaging/kelmot.6 ${PROJECT_SOURCE_DIR}/packaging/changelog)
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${name}.gz
        COMMAND sh -c "gzip -9n <'${file}' >'${CMAKE_BINARY_DIR}/packaging/${name}.gz'"
        DEPENDS ${file}
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
set(CPACK_PACKAGE_VENDOR "The Kelmot developers")
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
# The speech client, which the game loads only to speak for a player with a
# screen reader (or KELMOT_SPEECH=1); it plays on silently without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libspeechd2")
set(CPACK_STRIP_FILES ON)
# The same package from the same commit: every file, folder and the package's
# own parts dated at the last commit, owned by root, folders with the same
# modes whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
configure_file(${PROJECT_SOURCE_DIR}/packaging/cpack_options.cmake.in
               ${CMAKE_BINARY_DIR}/packaging/cpack_options.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/cpack_options.cmake)
include(CPack)
