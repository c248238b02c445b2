# Cross toolchain of the release: 32-bit Windows programs, run by ctest under wine32.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVRIK_MINGW_TRIPLE i686-w64-mingw32)
set(TAVRIK_WIN_BITS 32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
