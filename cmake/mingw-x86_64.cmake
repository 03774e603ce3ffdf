# Cross-compiling Typoscope for 64-bit Windows: the build the tests run where
# the kernel cannot start 32-bit programs (and so no 32-bit Wine runs).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
set(MINGW_EMULATOR /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
