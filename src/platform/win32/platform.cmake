# The Windows layer: the Windows API itself (USER32, GDI32, WGL in OPENGL32,
# WINMM, KERNEL32), and a resource script for the start-up dialog, the icon and
# the version.
enable_language(RC)

# Files and picture memory, for the options and the BMP reader.
add_library(kelmot_system_files STATIC
    ${KELMOT_PLATFORM_DIR}/files.cpp
    ${KELMOT_PLATFORM_DIR}/picture_memory.cpp)
target_include_directories(kelmot_system_files PUBLIC ${PROJECT_SOURCE_DIR}/src)

# The fonts' glyphs: a GDI font turned into display lists by WGL.
add_library(kelmot_font_glyphs STATIC ${KELMOT_PLATFORM_DIR}/font_glyphs.cpp)
target_include_directories(kelmot_font_glyphs PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(kelmot_font_glyphs PUBLIC kelmot_picture OpenGL::GL gdi32)

# The window and what the shared window loop asks of it.
set(KELMOT_WINDOW_SOURCES
    ${KELMOT_PLATFORM_DIR}/config_dialog.cpp
    ${KELMOT_PLATFORM_DIR}/dialog_banner.cpp
    ${KELMOT_PLATFORM_DIR}/game_window.cpp
    ${KELMOT_PLATFORM_DIR}/gamepad.cpp
    ${KELMOT_PLATFORM_DIR}/message_box.cpp
    ${KELMOT_PLATFORM_DIR}/messages.cpp
    ${KELMOT_PLATFORM_DIR}/pointer_messages.cpp
    ${KELMOT_PLATFORM_DIR}/sapi_voice.cpp
    ${KELMOT_PLATFORM_DIR}/speech.cpp
    ${KELMOT_PLATFORM_DIR}/window_procedure.cpp)
set(KELMOT_WINDOW_LIBRARIES user32 gdi32 winmm OpenGL::GL)

# The entry point and the resources; the script finds the manifest beside it,
# the banner and the icon under resources/ and the version in the build folder.
configure_file(${KELMOT_PLATFORM_DIR}/kelmot_version.h.in ${CMAKE_BINARY_DIR}/kelmot_version.h)
set(KELMOT_MAIN_SOURCES ${KELMOT_PLATFORM_DIR}/main.cpp ${KELMOT_PLATFORM_DIR}/kelmot.rc)
set_source_files_properties(${KELMOT_PLATFORM_DIR}/kelmot.rc PROPERTIES
    INCLUDE_DIRECTORIES "${KELMOT_PLATFORM_DIR};${PROJECT_SOURCE_DIR}/resources;${CMAKE_BINARY_DIR}"
    OBJECT_DEPENDS "${KELMOT_PLATFORM_DIR}/kelmot.manifest;${PROJECT_SOURCE_DIR}/resources/banner.bmp;${PROJECT_SOURCE_DIR}/resources/kelmot.ico")
