// SPDX-License-Identifier: GPL-3.0-or-later
// Texts between our UTF-8 strings and the platform's wide and ANSI ones.
#pragma once

#include <windows.h>

#include <string>

std::wstring Wide(const std::string& utf8);

// The engine's texts are UTF-8 and the service's come in the ANSI code page: a text that is
// valid UTF-8 goes over to the ANSI code page, any other is taken as it is.
std::string AnsiText(LPCSTR text);
