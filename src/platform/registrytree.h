// SPDX-License-Identifier: GPL-3.0-or-later
// The keys and typed values under HKEY_CURRENT_USER as one plain tree, in the order they
// were first written. Key and value names compare ignoring ASCII letter case, as the
// platform's registry does; the case first written is kept.
#pragma once

#include "platform/wintypes.h"

#include <string>
#include <string_view>
#include <vector>

struct RegistryValue {
    std::string Name;  // empty for the key's default value
    DWORD Type = 0;
    std::vector<BYTE> Data;

    bool operator==(const RegistryValue&) const = default;
};

struct RegistryKey {
    std::string Path;  // below HKEY_CURRENT_USER, names joined by '\'; empty for the root
    std::vector<RegistryValue> Values;

    bool operator==(const RegistryKey&) const = default;
};

// A key exists when it is listed or is the parent of a listed key.
struct RegistryTree {
    std::vector<RegistryKey> Keys;

    bool operator==(const RegistryTree&) const = default;
};

constexpr std::size_t MaxKeyNameBytes = 255;
constexpr std::size_t MaxValueNameBytes = 16383;
constexpr std::size_t MaxValueDataBytes = 1 << 20;

bool SameRegistryName(std::string_view a, std::string_view b);
// Names may hold any byte but control bytes; key names also no '\'.
bool IsValidValueName(std::string_view name);
bool IsValidKeyPath(std::string_view path);

bool KeyExists(const RegistryTree& tree, std::string_view path);
RegistryKey& AddKey(RegistryTree& tree, std::string_view path);
const RegistryValue* FindValue(const RegistryTree& tree, std::string_view path,
                               std::string_view name);
// Replaces a value of the same name in place, or appends it; adds the key when missing.
void SetValue(RegistryTree& tree, std::string_view path, RegistryValue value);
