// SPDX-License-Identifier: GPL-3.0-or-later
// The settings tests' store on Windows: HKEY_CURRENT_USER redirected, for this process, to a
// fresh key of the real registry, which is removed afterwards.
#include "settingsstore.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr char Root[] = "Software\\PhonoductTests";  // under the real HKEY_CURRENT_USER
std::string current;  // the key HKEY_CURRENT_USER stands for; empty: itself
int made = 0;

void RedirectTo(const std::string& path)
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    current = path;
    if (path.empty())
        return;
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, key);
    RegCloseKey(key);
}

bool NameBefore(const StoredValue& a, const StoredValue& b)
{
    return std::lexicographical_compare(
        a.Name.begin(), a.Name.end(), b.Name.begin(), b.Name.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}
}

SettingsStore::SettingsStore()
    : place(std::string(Root) + "\\" + std::to_string(GetCurrentProcessId()) + "-"
            + std::to_string(++made)),
      outer(current)
{
    RedirectTo(place);
}

SettingsStore::~SettingsStore()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, place.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, Root);  // only once the last store is gone
    RedirectTo(outer);
}

void SettingsStore::Write(const std::vector<StoredValue>& values) const
{
    RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKeyPath.c_str());
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key, nullptr);
    for (const StoredValue& value : values)
        RegSetValueExA(key, value.Name.c_str(), 0, value.Type, value.Data.data(),
                       static_cast<DWORD>(value.Data.size()));
    RegCloseKey(key);
}

std::vector<StoredValue> SettingsStore::Read() const
{
    std::vector<StoredValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath.c_str(), 0, KEY_READ, &key))
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, &size))
            break;
        StoredValue value{name, type, std::vector<BYTE>(size)};
        nameLength = sizeof name;
        RegEnumValueA(key, index, name, &nameLength, nullptr, &type, value.Data.data(), &size);
        values.push_back(std::move(value));
    }
    RegCloseKey(key);
    return values;
}

std::vector<StoredValue> SettingsStore::InStoreOrder(std::vector<StoredValue> values)
{
    std::stable_sort(values.begin(), values.end(), NameBefore);
    return values;
}

bool SettingsStore::Empty() const
{
    DWORD keys = 0;
    DWORD values = 0;
    RegQueryInfoKeyA(HKEY_CURRENT_USER, nullptr, nullptr, nullptr, &keys, nullptr, nullptr,
                     &values, nullptr, nullptr, nullptr, nullptr);
    return keys == 0 && values == 0;
}
