// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"

#include "platform/registrystore.h"

#include <cstring>
#include <mutex>
#include <set>
#include <string>

struct HKEY__ {
    std::string Path;
};

namespace {
std::mutex handlesMutex;
std::set<HKEY> openHandles;

// The path an open handle stands for; false for a handle that is not open.
bool HandlePath(HKEY key, std::string& path)
{
    if (key == HKEY_CURRENT_USER) {
        path.clear();
        return true;
    }
    std::lock_guard lock(handlesMutex);
    if (!openHandles.contains(key))
        return false;
    path = key->Path;
    return true;
}

HKEY NewHandle(const std::string& path)
{
    std::lock_guard lock(handlesMutex);
    HKEY key = new HKEY__{path};
    openHandles.insert(key);
    return key;
}

LSTATUS SubKeyPath(HKEY hKey, LPCSTR lpSubKey, std::string& path)
{
    std::string base;
    if (!HandlePath(hKey, base))
        return ERROR_INVALID_HANDLE;
    std::string_view sub = lpSubKey ? lpSubKey : "";
    if (!IsValidKeyPath(sub))
        return ERROR_BAD_PATHNAME;
    path = base.empty() || sub.empty() ? base + std::string(sub) : base + '\\' + std::string(sub);
    return ERROR_SUCCESS;
}
}

LSTATUS RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM,
                        LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::string path;
    LSTATUS status = SubKeyPath(hKey, lpSubKey, path);
    DWORD disposition = REG_OPENED_EXISTING_KEY;
    if (status == ERROR_SUCCESS)
        status = ChangeRegistryStore([&](RegistryTree& tree) {
            if (!KeyExists(tree, path)) {
                AddKey(tree, path);
                disposition = REG_CREATED_NEW_KEY;
            }
            return LONG{ERROR_SUCCESS};
        });
    if (status != ERROR_SUCCESS)
        return status;
    *phkResult = NewHandle(path);
    if (lpdwDisposition)
        *lpdwDisposition = disposition;
    return ERROR_SUCCESS;
}

LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::string path;
    LSTATUS status = SubKeyPath(hKey, lpSubKey, path);
    RegistryTree tree;
    if (status == ERROR_SUCCESS)
        status = ReadRegistryStore(tree);
    if (status != ERROR_SUCCESS)
        return status;
    if (!KeyExists(tree, path))
        return ERROR_FILE_NOT_FOUND;
    *phkResult = NewHandle(path);
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                       DWORD cbData)
{
    RegistryValue value{lpValueName ? lpValueName : "", dwType, {}};
    if ((!lpData && cbData != 0) || cbData > MaxValueDataBytes || !IsValidValueName(value.Name))
        return ERROR_INVALID_PARAMETER;
    std::string path;
    if (!HandlePath(hKey, path))
        return ERROR_INVALID_HANDLE;
    value.Data.assign(lpData, lpData + cbData);
    // A key that another program removed meanwhile is written anew rather than losing the value.
    return ChangeRegistryStore([&](RegistryTree& tree) {
        SetValue(tree, path, value);
        return LONG{ERROR_SUCCESS};
    });
}

LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                         LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpReserved || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    std::string path;
    if (!HandlePath(hKey, path))
        return ERROR_INVALID_HANDLE;
    RegistryTree tree;
    LSTATUS status = ReadRegistryStore(tree);
    if (status != ERROR_SUCCESS)
        return status;
    const RegistryValue* value = FindValue(tree, path, lpValueName ? lpValueName : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (lpType)
        *lpType = value->Type;
    if (!lpcbData)
        return ERROR_SUCCESS;
    DWORD room = *lpcbData;
    *lpcbData = static_cast<DWORD>(value->Data.size());
    if (!lpData)
        return ERROR_SUCCESS;
    if (room < value->Data.size())
        return ERROR_MORE_DATA;
    std::memcpy(lpData, value->Data.data(), value->Data.size());
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY hKey)
{
    if (hKey == HKEY_CURRENT_USER)
        return ERROR_SUCCESS;
    std::lock_guard lock(handlesMutex);
    if (openHandles.erase(hKey) == 0)
        return ERROR_INVALID_HANDLE;
    delete hKey;
    return ERROR_SUCCESS;
}
