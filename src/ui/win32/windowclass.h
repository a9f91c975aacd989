// SPDX-License-Identifier: GPL-3.0-or-later
// A window class of the program: its own icon, the arrow cursor, the dialog face behind.
#pragma once

#include <windows.h>

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure);
