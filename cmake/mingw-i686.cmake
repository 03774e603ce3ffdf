# Cross-compiling Typoscope for 32-bit Windows with MinGW-w64 on Debian.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLE i686-w64-mingw32)
# The Wine the scripts chose for this machine (scripts/common.sh).
set(MINGW_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
