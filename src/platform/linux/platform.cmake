# The Linux layer: SDL2 for the window, its events, display modes and message
# boxes; XRandR for the monitors' modes on X; GTK 3 for the start-up dialog;
# fontconfig and FreeType for the fonts' glyphs; POSIX for files; speech-
# dispatcher's client and libdbus, loaded only when the game may speak.
find_package(SDL2 REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
pkg_check_modules(XRANDR REQUIRED IMPORTED_TARGET xrandr x11)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)

# Files and picture memory, for the options and the BMP reader.
add_library(kelmot_system_files STATIC
    ${KELMOT_PLATFORM_DIR}/files.cpp
    ${KELMOT_PLATFORM_DIR}/picture_memory.cpp)
target_include_directories(kelmot_system_files PUBLIC ${PROJECT_SOURCE_DIR}/src)

# The fonts' glyphs: fontconfig finds the face, FreeType rasterises it.
add_library(kelmot_font_glyphs STATIC ${KELMOT_PLATFORM_DIR}/font_glyphs.cpp)
target_link_libraries(kelmot_font_glyphs PUBLIC kelmot_picture OpenGL::GL
    PRIVATE PkgConfig::FONTCONFIG PkgConfig::FREETYPE)

# The start-up dialog's window, in GTK, with its banner built into the program.
find_program(GLIB_COMPILE_RESOURCES glib-compile-resources REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/kelmot_resources.c
    COMMAND ${GLIB_COMPILE_RESOURCES} --generate-source --c-name kelmot --manual-register
            --sourcedir=${PROJECT_SOURCE_DIR}/resources
            --target=${CMAKE_BINARY_DIR}/kelmot_resources.c
            ${PROJECT_SOURCE_DIR}/resources/kelmot.gresource.xml
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/kelmot.gresource.xml
            ${PROJECT_SOURCE_DIR}/resources/banner.bmp
    VERBATIM)
add_library(kelmot_config_dialog STATIC
    ${KELMOT_PLATFORM_DIR}/config_dialog_gamepad.cpp
    ${KELMOT_PLATFORM_DIR}/config_dialog_view.cpp
    ${KELMOT_PLATFORM_DIR}/config_dialog_widgets.cpp
    ${CMAKE_BINARY_DIR}/kelmot_resources.c)
target_link_libraries(kelmot_config_dialog PUBLIC kelmot_settings PkgConfig::GTK3)

# The dialog as the game loads it: kelmot-dialog.so beside the game, loaded only
# when the dialog is shown, so that other starts load none of GTK. It carries
# its own copy of the dialog's rules; only its entry point is seen outside.
add_library(kelmot_dialog_module MODULE ${KELMOT_PLATFORM_DIR}/config_dialog_module.cpp)
target_link_libraries(kelmot_dialog_module PRIVATE kelmot_config_dialog)
target_link_options(kelmot_dialog_module PRIVATE -Wl,--no-undefined)
set_target_properties(kelmot_config_dialog kelmot_settings kelmot_system_files PROPERTIES
    POSITION_INDEPENDENT_CODE ON)
set_target_properties(kelmot_dialog_module PROPERTIES PREFIX "" OUTPUT_NAME kelmot-dialog
    CXX_VISIBILITY_PRESET hidden C_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/run)

# The window and what the shared window loop asks of it.
set(KELMOT_WINDOW_SOURCES
    ${KELMOT_PLATFORM_DIR}/box_placement.cpp
    ${KELMOT_PLATFORM_DIR}/display_mode.cpp
    ${KELMOT_PLATFORM_DIR}/game_window.cpp
    ${KELMOT_PLATFORM_DIR}/gamepad.cpp
    ${KELMOT_PLATFORM_DIR}/key_map.cpp
    ${KELMOT_PLATFORM_DIR}/message_box.cpp
    ${KELMOT_PLATFORM_DIR}/mode_guard.cpp
    ${KELMOT_PLATFORM_DIR}/monitor_change.cpp
    ${KELMOT_PLATFORM_DIR}/monitor_modes.cpp
    ${KELMOT_PLATFORM_DIR}/pointer_events.cpp
    ${KELMOT_PLATFORM_DIR}/screen_reader.cpp
    ${KELMOT_PLATFORM_DIR}/signal_watcher.cpp
    ${KELMOT_PLATFORM_DIR}/speech.cpp
    ${KELMOT_PLATFORM_DIR}/speech_dispatcher.cpp
    ${KELMOT_PLATFORM_DIR}/start_up_dialog.cpp
    ${KELMOT_PLATFORM_DIR}/window_events.cpp
    ${KELMOT_PLATFORM_DIR}/window_room.cpp
    ${KELMOT_PLATFORM_DIR}/xcb_connection.cpp)
# The portable build links SDL2's static library, and with it the libraries SDL
# itself uses.
if(KELMOT_PORTABLE)
    set(KELMOT_SDL2 SDL2::SDL2-static)
else()
    set(KELMOT_SDL2 SDL2::SDL2)
endif()
set(KELMOT_WINDOW_LIBRARIES ${KELMOT_SDL2} PkgConfig::XRANDR PkgConfig::XCB Threads::Threads ${CMAKE_DL_LIBS})
set(KELMOT_MAIN_SOURCES ${KELMOT_PLATFORM_DIR}/main.cpp)
# The mode guard, started from beside the game when it changes a monitor's
# mode: Xlib and XRandR only, so that it costs little while it waits.
add_executable(kelmot_mode_guard ${KELMOT_PLATFORM_DIR}/mode_guard_main.cpp
    ${KELMOT_PLATFORM_DIR}/monitor_change.cpp)
target_include_directories(kelmot_mode_guard PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(kelmot_mode_guard PRIVATE PkgConfig::XRANDR)
set_target_properties(kelmot_mode_guard PROPERTIES OUTPUT_NAME kelmot-mode-guard
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/run)
# What the game needs beside it when it runs.
set(KELMOT_RUNTIME_TARGETS kelmot_dialog_module kelmot_mode_guard)
