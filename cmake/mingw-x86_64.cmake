# Cross-compiling Typoscope for 64-bit Windows: the twin the tests run where the
# kernel runs no 32-bit code at all.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
# The Wine the scripts chose for this machine (scripts/common.sh).
set(MINGW_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
