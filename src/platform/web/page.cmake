# The page: index.html with its style, its script, kelmot.js and kelmot.wasm, the
# pictures under Data/ and the dialog's banner, the web app's manifest, icons
# and service worker, all at the top of the build folder, and
# kelmot-VERSION-web.zip of the same, in a folder of that name.
set(KELMOT_PAGE_DIR ${KELMOT_PLATFORM_DIR}/page)
set_target_properties(kelmot PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_options(kelmot PRIVATE
    --pre-js ${KELMOT_PAGE_DIR}/start.js
    -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -sDYNAMIC_EXECUTION=0
    "SHELL:-s EXPORTED_FUNCTIONS=_main,_malloc,_free")
set_property(TARGET kelmot APPEND PROPERTY LINK_DEPENDS ${KELMOT_PAGE_DIR}/start.js)

# The pictures the page fetches for Data/: every one the tree has.
file(GLOB KELMOT_PICTURES RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/Data/*.bmp)
list(SORT KELMOT_PICTURES)
list(JOIN KELMOT_PICTURES "\", \"" KELMOT_PICTURE_LIST)
set(KELMOT_PICTURE_LIST "[\"${KELMOT_PICTURE_LIST}\"]")

# The icons, the desktops' own, deflated for the page (emscripten brings
# python3).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(KELMOT_ICONS)
foreach(size 48 64 128 256)
    set(icon ${PROJECT_SOURCE_DIR}/resources/icons/${size}x${size}/apps/kelmot.png)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/icons/kelmot-${size}.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
        COMMAND Python3::Interpreter ${KELMOT_PLATFORM_DIR}/pack_png.py ${icon}
                ${CMAKE_BINARY_DIR}/icons/kelmot-${size}.png
        DEPENDS ${icon} ${KELMOT_PLATFORM_DIR}/pack_png.py
        VERBATIM)
    list(APPEND KELMOT_ICONS icons/kelmot-${size}.png)
endforeach()

# Most hosts send files as they are: the page fetches the large ones gzipped
# (NAME.gz beside NAME) and expands them itself. Not kelmot.js, which the page
# runs as a script of its own address, so that it runs under a strict
# Content-Security-Policy (no script made from text).
set(KELMOT_PACKED_FILES kelmot.wasm ${KELMOT_PICTURES})
find_program(KELMOT_GZIP gzip REQUIRED)
set(KELMOT_PACKED)
foreach(file ${KELMOT_PACKED_FILES})
    set(source ${CMAKE_BINARY_DIR}/${file})
    set(from_build kelmot)
    if(NOT file MATCHES "^kelmot\\.")
        set(from_build ${source})
    endif()
    # -n: no name or time inside, so that every build packs the same bytes.
    add_custom_command(OUTPUT ${source}.gz
        COMMAND ${KELMOT_GZIP} -9 -n -k -f ${source}
        DEPENDS ${from_build}
        VERBATIM)
    list(APPEND KELMOT_PACKED ${file}.gz)
endforeach()

# What a visit fetches, which the service worker keeps for play without the
# network, in a cache named after a hash of these files (stamp_worker.py).
set(KELMOT_PAGE_FILES index.html page.js manifest.webmanifest icons/kelmot-48.png kelmot.js
    banner.png ${KELMOT_PACKED})
# kelmot.js comes through the kelmot target, as in the archive below.
set(KELMOT_PAGE_FILE_PATHS)
foreach(file ${KELMOT_PAGE_FILES})
    if(NOT file STREQUAL "kelmot.js")
        list(APPEND KELMOT_PAGE_FILE_PATHS ${CMAKE_BINARY_DIR}/${file})
    endif()
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/sw.js
    COMMAND Python3::Interpreter ${KELMOT_PLATFORM_DIR}/stamp_worker.py ${KELMOT_PAGE_DIR}/sw.js
            ${CMAKE_BINARY_DIR}/sw.js ${CMAKE_BINARY_DIR} ${KELMOT_PAGE_FILES}
    DEPENDS kelmot ${KELMOT_PAGE_FILE_PATHS} ${KELMOT_PAGE_DIR}/sw.js
            ${KELMOT_PLATFORM_DIR}/stamp_worker.py
    VERBATIM)
# The style comes within the page, which then shows without waiting for it.
file(READ ${KELMOT_PAGE_DIR}/page.css KELMOT_PAGE_STYLE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KELMOT_PAGE_DIR}/page.css)
configure_file(${KELMOT_PAGE_DIR}/index.html ${CMAKE_BINARY_DIR}/index.html @ONLY)
configure_file(${KELMOT_PAGE_DIR}/manifest.webmanifest ${CMAKE_BINARY_DIR}/manifest.webmanifest
    COPYONLY)
# The scripts travel shrunk (Debian's terser), on a slow connection the larger
# part of what the game waits for; a Debug build keeps them as written.
if(CMAKE_BUILD_TYPE STREQUAL "Debug")
    configure_file(${KELMOT_PAGE_DIR}/page.js ${CMAKE_BINARY_DIR}/page.js COPYONLY)
else()
    find_program(KELMOT_NODE node REQUIRED)
    set(KELMOT_MINIFY ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs ${KELMOT_NODE}
        ${KELMOT_PLATFORM_DIR}/minify_script.js)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/page.js
        COMMAND ${KELMOT_MINIFY} ${KELMOT_PAGE_DIR}/page.js ${CMAKE_BINARY_DIR}/page.js
        DEPENDS ${KELMOT_PAGE_DIR}/page.js ${KELMOT_PLATFORM_DIR}/minify_script.js
        VERBATIM)
    add_custom_command(TARGET kelmot POST_BUILD
        COMMAND ${KELMOT_MINIFY} ${CMAKE_BINARY_DIR}/kelmot.js ${CMAKE_BINARY_DIR}/kelmot.js
        VERBATIM)
endif()
# The dialog's banner as PNG, a picture the browser fetches and shows itself.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/banner.png
    COMMAND Python3::Interpreter ${KELMOT_PLATFORM_DIR}/pack_png.py
            ${PROJECT_SOURCE_DIR}/resources/banner.bmp ${CMAKE_BINARY_DIR}/banner.png
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/banner.bmp ${KELMOT_PLATFORM_DIR}/pack_png.py
    VERBATIM)
foreach(picture ${KELMOT_PICTURES})
    configure_file(${PROJECT_SOURCE_DIR}/${picture} ${CMAKE_BINARY_DIR}/${picture} COPYONLY)
endforeach()

set(KELMOT_WEB_NAME kelmot-${PROJECT_VERSION}-web)
set(KELMOT_WEB_ARCHIVE ${CMAKE_BINARY_DIR}/${KELMOT_WEB_NAME}.zip)
set(KELMOT_WEB_STAGE ${CMAKE_BINARY_DIR}/web-archive)
# kelmot.wasm comes with kelmot.js, the link's own output, through the kelmot
# target: named as a file here, a new build folder would have no rule for it.
set(KELMOT_WEB_FILES index.html page.js manifest.webmanifest sw.js banner.png
    ${KELMOT_ICONS} ${KELMOT_PICTURES} ${KELMOT_PACKED})
add_custom_command(OUTPUT ${KELMOT_WEB_ARCHIVE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${KELMOT_WEB_STAGE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELMOT_WEB_STAGE}/${KELMOT_WEB_NAME}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/Data
            ${KELMOT_WEB_STAGE}/${KELMOT_WEB_NAME}/Data
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/icons
            ${KELMOT_WEB_STAGE}/${KELMOT_WEB_NAME}/icons
    COMMAND ${CMAKE_COMMAND} -E copy index.html page.js manifest.webmanifest sw.js
            banner.png kelmot.js kelmot.wasm kelmot.wasm.gz
            ${KELMOT_WEB_STAGE}/${KELMOT_WEB_NAME}
    COMMAND ${CMAKE_COMMAND} -E chdir ${KELMOT_WEB_STAGE}
            ${CMAKE_COMMAND} -E tar cf ${KELMOT_WEB_ARCHIVE} --format=zip ${KELMOT_WEB_NAME}
    DEPENDS kelmot ${KELMOT_WEB_FILES}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Packing the page into ${KELMOT_WEB_NAME}.zip"
    VERBATIM)
add_custom_target(kelmot_web_archive ALL DEPENDS ${KELMOT_WEB_ARCHIVE})
