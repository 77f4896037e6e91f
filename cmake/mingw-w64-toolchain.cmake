# SPDX-License-Identifier: GPL-2.0-or-later
# Cross-compiling for 64-bit Windows with Debian's mingw-w64, the posix-threads
# compiler (the win32-threads one has no std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KABU_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KABU_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KABU_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KABU_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KABU_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
