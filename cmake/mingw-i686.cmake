# MinGW-w64 cross toolchain (32-bit): the release target. The program uses
# no threads, and the win32 thread flavour links no pthread emulation into
# it (the tests, which need std::mutex, are built with the x86_64 toolchain).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLE i686-w64-mingw32)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
