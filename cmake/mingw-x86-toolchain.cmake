# Cross-build for 32-bit Windows hosts with Debian's mingw-w64 (i686, POSIX threads): the
# component for the hosts that load only 32-bit in-process servers. This machine's Wine runs no
# 32-bit program; tests/component/run_x86.sh runs the component in an emulated 32-bit runtime.
set(CP_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
