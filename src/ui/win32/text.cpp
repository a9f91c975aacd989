// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/text.h"

namespace {

std::wstring Decode(UINT codePage, DWORD flags, const std::string& bytes)
{
    const int length = MultiByteToWideChar(codePage, flags, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()),
                        wide.data(), length);
    return wide;
}

}  // namespace

std::wstring Wide(const std::string& utf8)
{
    return Decode(CP_UTF8, 0, utf8);
}

std::string AnsiText(LPCSTR text)
{
    const std::string bytes = text;
    const std::wstring wide = Decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes);
    if (wide.empty())
        return bytes;
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string ansi(length, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(),
                        length, nullptr, nullptr);
    return ansi;
}
