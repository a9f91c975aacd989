# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for Windows with Debian's MinGW-w64, for the target PHONODUCT_MINGW_TARGET
# that the toolchain file names. The posix thread model has std::thread; the program links
# statically, so the .exe needs nothing beside it. Test programs run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${PHONODUCT_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PHONODUCT_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${PHONODUCT_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PHONODUCT_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
