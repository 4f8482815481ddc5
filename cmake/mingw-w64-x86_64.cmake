# Cross-building the Windows program on Debian with mingw-w64 (the posix-threads
# variant of its GCC, for std::thread): cmake -DCMAKE_TOOLCHAIN_FILE=this-file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KELMOT_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KELMOT_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELMOT_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KELMOT_MINGW}-windres)

# Libraries and headers from the cross toolchain only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KELMOT_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine, each run in the build's own Wine prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/windows/wine.sh)
