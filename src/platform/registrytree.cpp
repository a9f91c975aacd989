// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registrytree.h"

#include <algorithm>

namespace {
char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool HasControlByte(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// True when `path` is `parent` followed by '\' and more.
bool IsBelow(std::string_view path, std::string_view parent)
{
    if (parent.empty())
        return !path.empty();
    return path.size() > parent.size() && path[parent.size()] == '\\'
        && SameRegistryName(path.substr(0, parent.size()), parent);
}

RegistryKey* FindKey(RegistryTree& tree, std::string_view path)
{
    for (RegistryKey& key : tree.Keys)
        if (SameRegistryName(key.Path, path))
            return &key;
    return nullptr;
}
}

bool SameRegistryName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool IsValidValueName(std::string_view name)
{
    return name.size() <= MaxValueNameBytes && !HasControlByte(name);
}

bool IsValidKeyPath(std::string_view path)
{
    if (path.empty())
        return true;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = std::min(path.find('\\', start), path.size());
        std::string_view name = path.substr(start, end - start);
        if (name.empty() || name.size() > MaxKeyNameBytes || HasControlByte(name))
            return false;
        if (end == path.size())
            return true;
        start = end + 1;
    }
}

bool KeyExists(const RegistryTree& tree, std::string_view path)
{
    if (path.empty())
        return true;
    return std::any_of(tree.Keys.begin(), tree.Keys.end(), [&](const RegistryKey& key) {
        return SameRegistryName(key.Path, path) || IsBelow(key.Path, path);
    });
}

RegistryKey& AddKey(RegistryTree& tree, std::string_view path)
{
    if (RegistryKey* key = FindKey(tree, path))
        return *key;
    return tree.Keys.emplace_back(RegistryKey{std::string(path), {}});
}

const RegistryValue* FindValue(const RegistryTree& tree, std::string_view path,
                               std::string_view name)
{
    for (const RegistryKey& key : tree.Keys) {
        if (!SameRegistryName(key.Path, path))
            continue;
        for (const RegistryValue& value : key.Values)
            if (SameRegistryName(value.Name, name))
                return &value;
    }
    return nullptr;
}

void SetValue(RegistryTree& tree, std::string_view path, RegistryValue value)
{
    RegistryKey& key = AddKey(tree, path);
    for (RegistryValue& old : key.Values) {
        if (SameRegistryName(old.Name, value.Name)) {
            old.Type = value.Type;
            old.Data = std::move(value.Data);
            return;
        }
    }
    key.Values.push_back(std::move(value));
}
