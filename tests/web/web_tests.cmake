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
