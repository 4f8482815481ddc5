# The web layer: emscripten's html5.h for the page's canvas, keys and WebGL
# context, its file systems (the pictures in memory, the game's folder in
# IndexedDB), ASYNCIFY so that the shared loops can wait while the browser runs,
# and the fixed-function drawing the game uses, on WebGL.

# The libraries that need each other are linked as a group, as on the other
# systems; emscripten's linker takes the group's markers.
set(CMAKE_CXX_LINK_GROUP_USING_RESCAN "LINKER:--start-group" "LINKER:--end-group")
set(CMAKE_CXX_LINK_GROUP_USING_RESCAN_SUPPORTED TRUE)

# Link options every web program takes: memory that grows, the IndexedDB file
# system, and waiting through ASYNCIFY.
set(KELMOT_WEB_LINK_OPTIONS -sALLOW_MEMORY_GROWTH=1 -lidbfs.js -sASYNCIFY
    "SHELL:-s ASYNCIFY_STACK_SIZE=65536")

# Files and picture memory, for the options and the BMP reader.
add_library(kelmot_system_files STATIC
    ${KELMOT_PLATFORM_DIR}/files.cpp
    ${KELMOT_PLATFORM_DIR}/picture_memory.cpp
    ${KELMOT_PLATFORM_DIR}/web_storage.cpp)
target_include_directories(kelmot_system_files PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_options(kelmot_system_files INTERFACE ${KELMOT_WEB_LINK_OPTIONS})

# OpenGL 1.1 and GLU as far as the game uses them, drawn with WebGL: immediate
# mode, the matrix stacks, bitmaps and their display lists, mipmap building.
add_library(kelmot_web_gl STATIC
    ${KELMOT_PLATFORM_DIR}/gl/bitmaps.cpp
    ${KELMOT_PLATFORM_DIR}/gl/immediate.cpp
    ${KELMOT_PLATFORM_DIR}/gl/matrices.cpp
    ${KELMOT_PLATFORM_DIR}/gl/mipmaps.cpp
    ${KELMOT_PLATFORM_DIR}/gl/state.cpp)
target_include_directories(kelmot_web_gl PUBLIC ${PROJECT_SOURCE_DIR}/src)
add_library(OpenGL::GL ALIAS kelmot_web_gl)
add_library(OpenGL::GLU ALIAS kelmot_web_gl)

# The fonts' glyphs: the browser draws them, the page cuts them into bitmaps.
add_library(kelmot_font_glyphs STATIC ${KELMOT_PLATFORM_DIR}/font_glyphs.cpp)
target_link_libraries(kelmot_font_glyphs PUBLIC kelmot_picture OpenGL::GL)

# The window and what the shared window loop asks of it.
set(KELMOT_WINDOW_SOURCES
    ${KELMOT_PLATFORM_DIR}/config_dialog.cpp
    ${KELMOT_PLATFORM_DIR}/game_window.cpp
    ${KELMOT_PLATFORM_DIR}/gamepad.cpp
    ${KELMOT_PLATFORM_DIR}/key_map.cpp
    ${KELMOT_PLATFORM_DIR}/message_box.cpp
    ${KELMOT_PLATFORM_DIR}/speech.cpp
    ${KELMOT_PLATFORM_DIR}/window_events.cpp)
set(KELMOT_WINDOW_LIBRARIES OpenGL::GL)
# With the program itself, the functions only the page calls: nothing in the
# game refers to them, so from a library the linker would leave them out.
set(KELMOT_MAIN_SOURCES ${KELMOT_PLATFORM_DIR}/main.cpp ${KELMOT_PLATFORM_DIR}/pointer_events.cpp)
