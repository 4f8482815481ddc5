# The page: index.html, its script and style, kelmot.js and kelmot.wasm, the
# pictures under Data/ and the dialog's banner, all at the top of the build
# folder, and kelmot-VERSION-web.zip of the same, in a folder of that name.
set(KELMOT_PAGE_DIR ${KELMOT_PLATFORM_DIR}/page)
set_target_properties(kelmot PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_options(kelmot PRIVATE
    --pre-js ${KELMOT_PAGE_DIR}/start.js
    -sENVIRONMENT=web -sFORCE_FILESYSTEM=1
    "SHELL:-s EXPORTED_FUNCTIONS=_main,_malloc,_free")
set_property(TARGET kelmot APPEND PROPERTY LINK_DEPENDS ${KELMOT_PAGE_DIR}/start.js)

# The pictures the page fetches for Data/: every one the tree has.
file(GLOB KELMOT_PICTURES RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/Data/*.bmp)
list(SORT KELMOT_PICTURES)
list(JOIN KELMOT_PICTURES "\", \"" KELMOT_PICTURE_LIST)
set(KELMOT_PICTURE_LIST "[\"${KELMOT_PICTURE_LIST}\"]")
configure_file(${KELMOT_PAGE_DIR}/index.html ${CMAKE_BINARY_DIR}/index.html @ONLY)
set(KELMOT_PAGE_FILES index.html page.js page.css banner.bmp)
foreach(file page.js page.css)
    configure_file(${KELMOT_PAGE_DIR}/${file} ${CMAKE_BINARY_DIR}/${file} COPYONLY)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/resources/banner.bmp ${CMAKE_BINARY_DIR}/banner.bmp COPYONLY)
foreach(picture ${KELMOT_PICTURES})
    configure_file(${PROJECT_SOURCE_DIR}/${picture} ${CMAKE_BINARY_DIR}/${picture} COPYONLY)
endforeach()

set(KELMOT_WEB_NAME kelmot-${PROJECT_VERSION}-web)
set(KELMOT_WEB_ARCHIVE ${CMAKE_BINARY_DIR}/${KELMOT_WEB_NAME}.zip)
set(KELMOT_WEB_STAGE ${CMAKE_BINARY_DIR}/web-archive)
add_custom_command(OUTPUT ${KELMOT_WEB_ARCHIVE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${KELMOT_WEB_STAGE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELMOT_WEB_STAGE}/${KELMOT_WEB_NAME}/Data
    COMMAND ${CMAKE_COMMAND} -E copy ${KELMOT_PAGE_FILES} kelmot.js kelmot.wasm
            ${KELMOT_WEB_STAGE}/${KELMOT_WEB_NAME}
    COMMAND ${CMAKE_COMMAND} -E copy ${KELMOT_PICTURES} ${KELMOT_WEB_STAGE}/${KELMOT_WEB_NAME}/Data
    COMMAND ${CMAKE_COMMAND} -E chdir ${KELMOT_WEB_STAGE}
            ${CMAKE_COMMAND} -E tar cf ${KELMOT_WEB_ARCHIVE} --format=zip ${KELMOT_WEB_NAME}
    DEPENDS kelmot ${KELMOT_PAGE_FILES} ${KELMOT_PICTURES}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Packing the page into ${KELMOT_WEB_NAME}.zip"
    VERBATIM)
add_custom_target(kelmot_web_archive ALL DEPENDS ${KELMOT_WEB_ARCHIVE})
