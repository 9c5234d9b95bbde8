# Cross-build for Win32 with Debian's mingw-w64 (x86-64, POSIX threads); tests run under Wine.
# mingw-x86-toolchain.cmake names the i686 compilers and brings the rest from here.
if(NOT CP_MINGW_TRIPLE)
  set(CP_MINGW_TRIPLE x86_64-w64-mingw32)
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${CP_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CP_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CP_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime, so the programs need no DLLs beside them under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
