# The board reader for the tests of a cross-built game (Windows, the browser):
# a program of this machine, built with the host's compiler, that reads the game
# screen from screenshots. Sets KELMOT_BOARD_READER; included from tests/.
find_program(KELMOT_HOST_CXX NAMES g++ c++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(KELMOT_BOARD_READER ${CMAKE_CURRENT_BINARY_DIR}/board_reader)
add_custom_command(OUTPUT ${KELMOT_BOARD_READER}
    COMMAND ${KELMOT_HOST_CXX} -std=c++20 -O2 -Wall -Wextra
            ${CMAKE_CURRENT_SOURCE_DIR}/e2e/board_reader.cpp -o ${KELMOT_BOARD_READER} -lGLU -lGL
    DEPENDS e2e/board_reader.cpp
    COMMENT "Building the board reader for this machine"
    VERBATIM)
add_custom_target(e2e_board_reader ALL DEPENDS ${KELMOT_BOARD_READER})
