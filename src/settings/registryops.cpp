// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/registryops.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
constexpr std::size_t MaxCopyChars = 255;

// The zero-terminated copy handed to the registry.
std::string AnsiCopy(const std::string& text)
{
    return std::string(text.c_str(), std::min(std::strlen(text.c_str()), MaxCopyChars));
}
}

LONG CreateUserKey(const std::string& path, HKEY& key)
{
    std::string subKey = AnsiCopy(path);
    char noClass[] = "";
    DWORD disposition = 0;
    return RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, noClass,
                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition);
}

LONG OpenUserKey(const std::string& path, HKEY& key)
{
    std::string subKey = AnsiCopy(path);
    return RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_ALL_ACCESS, &key);
}

LONG WriteDwordValue(HKEY key, const std::string& name, LONG value)
{
    std::string valueName = AnsiCopy(name);
    BYTE bytes[4];
    std::memcpy(bytes, &value, sizeof bytes);
    return RegSetValueExA(key, valueName.c_str(), 0, REG_DWORD, bytes, sizeof bytes);
}

LONG WriteStringValue(HKEY key, const std::string& name, const std::string& text)
{
    std::string valueName = AnsiCopy(name);
    std::string copy = AnsiCopy(text);
    return RegSetValueExA(key, valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(copy.c_str()),
                          static_cast<DWORD>(copy.size() + 1));
}

LONG ReadDwordValue(HKEY key, const std::string& name, LONG& target)
{
    std::string valueName = AnsiCopy(name);
    DWORD type = REG_DWORD;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS || size != 4)
        return status;
    BYTE bytes[4];
    status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, bytes, &size);
    if (status == ERROR_SUCCESS && size == 4)
        std::memcpy(&target, bytes, sizeof bytes);
    return status;
}

LONG ReadStringValue(HKEY key, const std::string& name, std::string& target)
{
    std::string valueName = AnsiCopy(name);
    DWORD type = REG_SZ;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS || size == 0)
        return status;
    std::vector<char> buffer(size);
    status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status == ERROR_SUCCESS) {
        auto end = buffer.begin() + std::min<std::size_t>(size, buffer.size());
        target.assign(buffer.begin(), std::find(buffer.begin(), end, '\0'));
    }
    return status;
}
