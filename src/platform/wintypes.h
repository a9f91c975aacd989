// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's base types, spelled as the platform spells them, so that code written
// against them compiles unchanged where the platform's own headers are used instead.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using LPVOID = void*;
using SIZE_T = std::size_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;

// The window that device notifications are posted to (the platform's callback window).
// Post is safe from any thread and never blocks; the message is handled later on the
// thread that owns the target.
class MessageTarget {
public:
    virtual void Post(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~MessageTarget() = default;
};
using HWND = MessageTarget*;
