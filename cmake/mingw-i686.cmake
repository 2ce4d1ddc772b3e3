# MinGW-w64 cross toolchain (32-bit): the release target, and the Windows
# tests run on exactly that build. The posix thread flavour gives the tests
# std::mutex (GoogleTest needs it); with -static it adds no DLL import, and
# the program itself starts no threads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLE i686-w64-mingw32)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
