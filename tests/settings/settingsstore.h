// SPDX-License-Identifier: GPL-3.0-or-later
// A store of its own for one settings test, and the values under the settings key in it: on
// Linux a fresh XDG_CONFIG_HOME for the REGEDIT4 file, on Windows HKEY_CURRENT_USER
// redirected to a fresh key of the real registry. The same tests run on both, value for value.
#pragma once

#include "platform/registry.h"

#include <cstring>
#include <string>
#include <vector>

inline const std::string SettingsKeyPath = "Software\\Halvorn\\Phonoduct";

struct StoredValue {
    std::string Name;
    DWORD Type;
    std::vector<BYTE> Data;

    bool operator==(const StoredValue&) const = default;
};

inline StoredValue Dword(std::string name, DWORD number)
{
    StoredValue value{std::move(name), REG_DWORD, std::vector<BYTE>(4)};
    std::memcpy(value.Data.data(), &number, 4);
    return value;
}

inline StoredValue Text(std::string name, const std::string& text)
{
    StoredValue value{std::move(name), REG_SZ, {text.begin(), text.end()}};
    value.Data.push_back(0);
    return value;
}

class SettingsStore {
public:
    SettingsStore();
    // Removes the store; the one made before it (if any) is in force again.
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Replaces the settings key with one that holds exactly these values.
    void Write(const std::vector<StoredValue>& values) const;
    // The values under the settings key in the store's own order: as written on Linux, by
    // name on Windows. Empty when there is no key.
    std::vector<StoredValue> Read() const;
    // The same values in the order Read gives them.
    static std::vector<StoredValue> InStoreOrder(std::vector<StoredValue> values);
    // True while nothing at all has been stored.
    bool Empty() const;

private:
    std::string place;  // the config home, or the key HKEY_CURRENT_USER stands for
    std::string outer;  // the one in force before
};
