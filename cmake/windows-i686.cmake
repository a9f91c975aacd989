# SPDX-License-Identifier: GPL-3.0-or-later
# 32-bit Windows: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/windows-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PHONODUCT_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
