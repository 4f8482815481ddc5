# The Windows build's tests, run under Wine (tests/windows/wine.sh is the
# toolchain's emulator): the shared suites, built from the same sources as on
# Linux, in one Wine prefix of the build's own.
set(KELMOT_WINE_PREFIXES ${CMAKE_BINARY_DIR}/wine)

add_executable(game_tests ${KELMOT_GAME_TESTS})
target_link_libraries(game_tests PRIVATE kelmot_game GTest::gtest_main)
add_executable(settings_tests ${KELMOT_SETTINGS_TESTS})
target_link_libraries(settings_tests PRIVATE kelmot_settings kelmot_test_support
    GTest::gtest_main)
add_executable(picture_tests ${KELMOT_PICTURE_TESTS})
target_link_libraries(picture_tests PRIVATE kelmot_picture kelmot_test_support
    GTest::gtest_main)
foreach(suite game settings picture)
    add_test(NAME windows.${suite} COMMAND ${suite}_tests)
endforeach()
set_tests_properties(windows.game windows.settings windows.picture PROPERTIES
    ENVIRONMENT WINEPREFIX=${KELMOT_WINE_PREFIXES}/suites)

# The program file: its kind, imports, resources and manifest.
add_test(NAME windows.program_file
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/program_file_test.sh ${CMAKE_OBJDUMP}
            $<TARGET_FILE:kelmot> ${PROJECT_VERSION} ${KELMOT_ARCHIVE} ${CMAKE_RC_COMPILER})

# Without NSIS the program and its archive still build; only the installer
# needs it.
add_test(NAME windows.build_without_nsis
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/build_without_nsis_test.sh ${PROJECT_SOURCE_DIR}
            ${CMAKE_BINARY_DIR}/without-nsis)

# The program's own tests: kelmot.exe under Wine on a display of each test's
# own, with openbox, driven with xdotool and judged by screenshots, files and
# exit codes, each in a Wine prefix of its own: a copy of one made once for all
# of them (tests/windows/wine.sh). post_message posts a message to
# the game window as another program would; the board reader, a Linux program
# built here with the host's compiler, reads the game screen from screenshots.
add_executable(post_message windows/post_message.cpp)
include(e2e/board_reader.cmake)

foreach(script first_run play pointer mode_toggle broken_input display_mode)
    # Full screen for real needs the X server whose screen can change size.
    set(display with_xvfb.sh)
    if(script STREQUAL display_mode)
        set(display with_dummy_xorg.sh)
    endif()
    add_test(NAME windows.e2e.${script}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/display/${display}
                ${CMAKE_CURRENT_SOURCE_DIR}/windows/${script}_test.sh $<TARGET_FILE:kelmot>
                $<TARGET_FILE:post_message> ${KELMOT_BOARD_READER} ${KELMOT_WINE_PREFIXES})
endforeach()
set_tests_properties(windows.e2e.display_mode PROPERTIES ENVIRONMENT KELMOT_WM=1)
# The keyboard's game runs where Windows has no XInput at all.
set_tests_properties(windows.e2e.play PROPERTIES ENVIRONMENT WINEDLLOVERRIDES=xinput1_4,xinput9_1_0=d)

# With controllers alone: a stand-in xinput1_4.dll that plays scripted ones.
add_library(xinput_stand_in SHARED windows/xinput_stand_in.cpp)
target_include_directories(xinput_stand_in PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
set_target_properties(xinput_stand_in PROPERTIES PREFIX "" OUTPUT_NAME xinput1_4)
add_test(NAME windows.e2e.gamepad
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/display/with_xvfb.sh
            ${CMAKE_CURRENT_SOURCE_DIR}/windows/gamepad_test.sh $<TARGET_FILE:kelmot>
            $<TARGET_FILE:post_message> ${KELMOT_BOARD_READER} ${KELMOT_WINE_PREFIXES}
            $<TARGET_FILE:xinput_stand_in>)

# The installer: installed, the game started from its shortcut, installed again
# and uninstalled, silently, in a prefix of its own; read_shortcut reads a
# shortcut through the Windows shell.
add_executable(read_shortcut windows/read_shortcut.cpp)
target_link_libraries(read_shortcut PRIVATE ole32 uuid)
add_test(NAME windows.e2e.installer
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/display/with_xvfb.sh
            ${CMAKE_CURRENT_SOURCE_DIR}/windows/installer_test.sh ${KELMOT_INSTALLER}
            $<TARGET_FILE:kelmot> $<TARGET_FILE:read_shortcut> ${PROJECT_VERSION}
            ${KELMOT_WINE_PREFIXES} ${CMAKE_OBJDUMP})

# Played by ear: a stand-in SAPI voice, registered in the test's prefix as the
# voice's COM server, records what the game asks it to say.
add_library(sapi_stand_in SHARED windows/sapi_stand_in.cpp)
set_target_properties(sapi_stand_in PROPERTIES PREFIX "")
add_test(NAME windows.e2e.speech
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/display/with_xvfb.sh
            ${CMAKE_CURRENT_SOURCE_DIR}/windows/speech_test.sh $<TARGET_FILE:kelmot>
            $<TARGET_FILE:post_message> ${KELMOT_BOARD_READER} ${KELMOT_WINE_PREFIXES}
            $<TARGET_FILE:sapi_stand_in>)
