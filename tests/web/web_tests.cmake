# The web build's tests: the shared suites, built from the same sources as on
# Linux and run under node (the build's emulator) in emscripten's file system
# in memory.
foreach(suite game settings picture)
    string(TOUPPER ${suite} upper)
    add_executable(${suite}_tests ${KELMOT_${upper}_TESTS})
    target_link_libraries(${suite}_tests PRIVATE kelmot_${suite} kelmot_test_support
        GTest::gtest_main)
    # A failed case ends node with the suite's exit code.
    target_link_options(${suite}_tests PRIVATE -sEXIT_RUNTIME=1)
    add_test(NAME web.${suite} COMMAND ${suite}_tests)
endforeach()

# The web layer's key codes, apart from the page.
add_executable(web_key_map_tests platform/web/key_map_test.cpp
    ${PROJECT_SOURCE_DIR}/src/platform/web/key_map.cpp)
target_include_directories(web_key_map_tests PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(web_key_map_tests PRIVATE GTest::gtest_main)
target_link_options(web_key_map_tests PRIVATE -sEXIT_RUNTIME=1)
add_test(NAME web.key_map COMMAND web_key_map_tests)

# The page's rules apart from the browser: the screen the game is told of, and
# what the service worker answers for, as built.
find_program(KELMOT_NODE node REQUIRED)
add_test(NAME web.page_rules
    COMMAND ${KELMOT_NODE} ${CMAKE_CURRENT_SOURCE_DIR}/web/page_rules_test.js ${CMAKE_BINARY_DIR})

# The game's page in headless chromium, driven through selenium (browser.py)
# with the Linux tests' helpers, and judged by what the page shows, by its
# storage and by the game's standard error. The board reader, a program of
# this machine built with the host's compiler, reads the game screen from
# shots of the canvas.
include(e2e/board_reader.cmake)

foreach(script frame gamepad host page play pointer spoken window)
    add_test(NAME web.e2e.${script}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/web/${script}_test.sh ${CMAKE_BINARY_DIR}
                ${KELMOT_BOARD_READER})
endforeach()

# At the device pixel ratios of many Windows laptops, the browser's own.
foreach(ratio 1.25 1.5)
    add_test(NAME web.e2e.ratio_${ratio}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/web/ratio_test.sh ${CMAKE_BINARY_DIR}
                ${KELMOT_BOARD_READER} ${ratio})
endforeach()

# Full screen in a browser window on a display of the test's own, typed into
# with the keyboard's own key events, which headless chromium does not take.
add_test(NAME web.e2e.fullscreen
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/display/with_xvfb.sh
            ${CMAKE_CURRENT_SOURCE_DIR}/web/fullscreen_test.sh ${CMAKE_BINARY_DIR}
            ${KELMOT_BOARD_READER})

# The main menu beside the Linux build's, which the Makefile builds and names
# (make test-web); the Linux game runs on a display of the test's own.
set(KELMOT_LINUX_GAME "" CACHE FILEPATH "The Linux build's game, for the web build's frame comparison")
if(KELMOT_LINUX_GAME)
    add_test(NAME web.e2e.menu_frame
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/display/with_xvfb.sh
                ${CMAKE_CURRENT_SOURCE_DIR}/web/menu_frame_test.sh ${KELMOT_LINUX_GAME}
                ${CMAKE_BINARY_DIR} ${KELMOT_BOARD_READER})
endif()
