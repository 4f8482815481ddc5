# The archive for any x86-64 Linux distribution (make linux-portable),
# kelmot-VERSION-linux-x86_64.tar.gz, one folder:
#   kelmot                the launcher: starts the game in the player's own
#                         folder, ~/.local/share/kelmot, as the installed game does
#   lib/kelmot            the game, with SDL2, GLU and the C++ runtime inside
#   lib/kelmot-dialog.so  its start-up dialog, loaded only where GTK 3 is installed
#   lib/kelmot-mode-guard gives a monitor its mode back after a game that did not
#   lib/lib*.so.*         the libraries SDL2 is linked with that a desktop may lack
#   Data/                 the pictures
#   kelmot.png            the icon, and kelmot.desktop, a menu entry for it
#   How-to-play.txt       for the player, and NEWS.md, what is new
#   LICENSE               the game's licence, and licences/ for what is inside
# OpenGL, X11, Wayland, the sound libraries, fontconfig and FreeType come from
# the system. No program asks for a glibc symbol newer than 2.34
# (check_glibc.sh), or the archive is not made.
set(KELMOT_PORTABLE_NAME kelmot-${PROJECT_VERSION}-linux-x86_64)
set(KELMOT_PORTABLE_ARCHIVE ${CMAKE_BINARY_DIR}/${KELMOT_PORTABLE_NAME}.tar.gz)
set(KELMOT_PORTABLE_STAGING ${CMAKE_BINARY_DIR}/portable)
set(folder ${KELMOT_PORTABLE_STAGING}/${KELMOT_PORTABLE_NAME})

# The players' copies carry no debugging symbols; the game finds the shipped
# libraries beside it; the dialog keeps the C++ runtime inside it to itself.
target_link_options(kelmot PRIVATE -s)
target_link_options(kelmot_mode_guard PRIVATE -s)
target_link_options(kelmot_dialog_module PRIVATE -s -Wl,--exclude-libs,ALL)
set_target_properties(kelmot PROPERTIES BUILD_RPATH "$ORIGIN")
# The C++ runtime inside asks for arc4random, which glibc has only from 2.36.
foreach(program kelmot kelmot_mode_guard)
    target_sources(${program} PRIVATE ${KELMOT_PLATFORM_DIR}/random_words.cpp)
endforeach()

# Debian's SDL2 is built with these linked, not loaded while it runs; they are
# small, and not found on every desktop. Each goes with its licence.
set(shipped libdecor-0.so.0 libsamplerate.so.0 libXss.so.1)
set(shippedLicences libdecor-0-0 libsamplerate0 libxss1)
set(shippedFiles)
foreach(library ${shipped})
    find_library(KELMOT_SHIPPED_${library} ${library} REQUIRED)
    list(APPEND shippedFiles ${KELMOT_SHIPPED_${library}})
endforeach()
# The licences of what is inside or beside the game: SDL2 and GLU, linked in,
# and the shipped libraries, as Debian gives them.
set(licenceCopies)
foreach(package libsdl2-2.0-0 libglu1-mesa ${shippedLicences})
    list(APPEND licenceCopies COMMAND ${CMAKE_COMMAND} -E copy
        /usr/share/doc/${package}/copyright ${folder}/licences/${package}.txt)
endforeach()

set(PROGRAM_FROM_LAUNCHER lib/kelmot)
set(PICTURES_FROM_LAUNCHER Data)
configure_file(${PROJECT_SOURCE_DIR}/packaging/kelmot.in ${CMAKE_BINARY_DIR}/portable-files/kelmot
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/How-to-play.txt.in
               ${CMAKE_BINARY_DIR}/portable-files/How-to-play.txt @ONLY)

add_custom_command(OUTPUT ${KELMOT_PORTABLE_ARCHIVE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${KELMOT_PORTABLE_STAGING} ${KELMOT_PORTABLE_ARCHIVE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/lib ${folder}/licences
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/portable-files/kelmot
            ${CMAKE_BINARY_DIR}/portable-files/How-to-play.txt ${PROJECT_SOURCE_DIR}/LICENSE
            ${PROJECT_SOURCE_DIR}/NEWS.md ${PROJECT_SOURCE_DIR}/packaging/kelmot.desktop ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/resources/icons/256x256/apps/kelmot.png
            ${folder}/kelmot.png
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kelmot> $<TARGET_FILE:kelmot_dialog_module>
            $<TARGET_FILE:kelmot_mode_guard> ${shippedFiles} ${folder}/lib
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/Data ${folder}/Data
    ${licenceCopies}
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_glibc.sh ${folder}
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/pack.sh ${KELMOT_PORTABLE_STAGING} ${KELMOT_PORTABLE_NAME}
            ${KELMOT_SOURCE_DATE_EPOCH} ${KELMOT_PORTABLE_ARCHIVE}
    DEPENDS kelmot kelmot_dialog_module kelmot_mode_guard ${PROJECT_SOURCE_DIR}/packaging/kelmot.in
            ${CMAKE_CURRENT_LIST_DIR}/How-to-play.txt.in ${CMAKE_CURRENT_LIST_DIR}/check_glibc.sh
            ${CMAKE_CURRENT_LIST_DIR}/pack.sh ${PROJECT_SOURCE_DIR}/packaging/kelmot.desktop
            ${PROJECT_SOURCE_DIR}/NEWS.md ${PROJECT_SOURCE_DIR}/LICENSE
    COMMENT "Packing ${KELMOT_PORTABLE_ARCHIVE}"
    VERBATIM)
add_custom_target(kelmot_portable ALL DEPENDS ${KELMOT_PORTABLE_ARCHIVE})
