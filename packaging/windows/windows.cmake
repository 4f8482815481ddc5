# The Windows program: kelmot.exe at the top of the build folder, a program with
# windows and no console, and the portable archive kelmot-VERSION-win64.zip
# (make windows): the program, its pictures, how to play, the licence and
# what is new, in one folder.
set_target_properties(kelmot PROPERTIES WIN32_EXECUTABLE TRUE
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The player's copy carries no debugging symbols.
target_link_options(kelmot PRIVATE -s)

set(KELMOT_ARCHIVE_FOLDER kelmot-${PROJECT_VERSION})
set(KELMOT_ARCHIVE ${CMAKE_BINARY_DIR}/kelmot-${PROJECT_VERSION}-win64.zip)
set(KELMOT_STAGING ${CMAKE_BINARY_DIR}/archive)
file(GLOB KELMOT_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/Data/*.bmp)
# The texts, with Windows line ends for every editor there.
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/How-to-play.txt.in
    ${CMAKE_BINARY_DIR}/How-to-play.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/NEWS.md ${CMAKE_BINARY_DIR}/NEWS.md @ONLY NEWLINE_STYLE CRLF)
set(KELMOT_TEXTS ${CMAKE_BINARY_DIR}/How-to-play.txt ${CMAKE_BINARY_DIR}/LICENSE.txt
    ${CMAKE_BINARY_DIR}/NEWS.md)
# The same archive from the same commit: files in a fixed order, dated at the
# last commit (in UTC, as zip keeps local times), with fixed modes and none of
# zip's extra fields (owners, access times).
find_program(KELMOT_ZIP zip REQUIRED)
set(archiveEntries)
foreach(file How-to-play.txt LICENSE.txt NEWS.md kelmot.exe)
    list(APPEND archiveEntries ${KELMOT_ARCHIVE_FOLDER}/${file})
endforeach()
foreach(picture ${KELMOT_PICTURES})
    get_filename_component(name ${picture} NAME)
    list(APPEND archiveEntries ${KELMOT_ARCHIVE_FOLDER}/Data/${name})
endforeach()
add_custom_command(OUTPUT ${KELMOT_ARCHIVE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${KELMOT_STAGING} ${KELMOT_ARCHIVE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELMOT_STAGING}/${KELMOT_ARCHIVE_FOLDER}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kelmot> ${KELMOT_TEXTS}
            ${KELMOT_STAGING}/${KELMOT_ARCHIVE_FOLDER}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/Data
            ${KELMOT_STAGING}/${KELMOT_ARCHIVE_FOLDER}/Data
    COMMAND chmod -R u=rwX,go=rX ${KELMOT_STAGING}
    COMMAND find ${KELMOT_STAGING} -exec touch -d @${KELMOT_SOURCE_DATE_EPOCH} {} +
    COMMAND ${CMAKE_COMMAND} -E chdir ${KELMOT_STAGING} ${CMAKE_COMMAND} -E env TZ=UTC
            ${KELMOT_ZIP} -q -X -D ${KELMOT_ARCHIVE} ${archiveEntries}
    DEPENDS kelmot ${KELMOT_TEXTS} ${KELMOT_PICTURES}
    COMMENT "Packing ${KELMOT_ARCHIVE}"
    VERBATIM)
add_custom_target(kelmot_archive ALL DEPENDS ${KELMOT_ARCHIVE})

# The installer (make windows-installer): kelmot-VERSION-setup.exe, made by NSIS
# from installer.nsi. Only the installer needs NSIS: without makensis (or with
# KELMOT_MAKENSIS naming a file that is not there) the program and its archive
# build all the same, and asking for the installer says what is missing. The
# tests install the game with it, so with them NSIS is required and the
# installer is built by default.
set(KELMOT_INSTALLER ${CMAKE_BINARY_DIR}/kelmot-${PROJECT_VERSION}-setup.exe)
find_program(KELMOT_MAKENSIS makensis)
if(KELMOT_MAKENSIS AND EXISTS "${KELMOT_MAKENSIS}")
    add_custom_command(OUTPUT ${KELMOT_INSTALLER}
        COMMAND ${KELMOT_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DPROGRAM=$<TARGET_FILE:kelmot>
                -DPICTURES=${PROJECT_SOURCE_DIR}/Data -DICON=${PROJECT_SOURCE_DIR}/resources/kelmot.ico
                -DLICENSE=${CMAKE_BINARY_DIR}/LICENSE.txt "-DCOPYRIGHT=${KELMOT_COPYRIGHT}"
                -DOUTFILE=${KELMOT_INSTALLER} ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsi
        DEPENDS kelmot ${CMAKE_BINARY_DIR}/LICENSE.txt ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsi
                ${PROJECT_SOURCE_DIR}/resources/kelmot.ico ${KELMOT_PICTURES}
        COMMENT "Making the installer ${KELMOT_INSTALLER}"
        VERBATIM)
    if(BUILD_TESTING)
        add_custom_target(kelmot_installer ALL DEPENDS ${KELMOT_INSTALLER})
    else()
        add_custom_target(kelmot_installer DEPENDS ${KELMOT_INSTALLER})
    endif()
elseif(BUILD_TESTING)
    message(FATAL_ERROR "The Windows tests need NSIS for the installer, and makensis was not "
        "found (KELMOT_MAKENSIS: ${KELMOT_MAKENSIS}). Install the Debian package nsis.")
else()
    add_custom_target(kelmot_installer
        COMMAND ${CMAKE_COMMAND} -E echo
                "The installer needs NSIS, and makensis was not found: install the Debian package nsis."
        COMMAND ${CMAKE_COMMAND} -E false
        VERBATIM)
endif()
