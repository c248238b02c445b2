# Cross toolchain of the 64-bit tree (the same sources), run by ctest under wine64 on machines
# that run no 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVRIK_MINGW_TRIPLE x86_64-w64-mingw32)
set(TAVRIK_WIN_BITS 64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
