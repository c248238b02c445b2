# Shared by the two cross toolchain files, which set TAVRIK_MINGW_TRIPLE and TAVRIK_WIN_BITS first.
# Windows GUI programs built with mingw-w64 (posix thread model, which GoogleTest needs; linked
# statically). ctest runs the tree's programs under Wine of the same architecture.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TAVRIK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRIK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRIK_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRIK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh ${TAVRIK_WIN_BITS})
