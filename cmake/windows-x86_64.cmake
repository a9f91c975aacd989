# SPDX-License-Identifier: GPL-3.0-or-later
# 64-bit Windows: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/windows-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PHONODUCT_MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
