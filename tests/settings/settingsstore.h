// Building and reading the settings key's store file for the settings tests.
#pragma once

#include "platform/registry.h"
#include "platform/registrytext.h"
#include "platform/tempconfighome.h"

#include <gtest/gtest.h>

#include <cstring>

inline const std::string SettingsKeyPath = "Software\\Halvorn\\Phonoduct";

inline RegistryValue Dword(std::string name, DWORD number)
{
    RegistryValue value{std::move(name), REG_DWORD, std::vector<BYTE>(4)};
    std::memcpy(value.Data.data(), &number, 4);
    return value;
}

inline RegistryValue Text(std::string name, const std::string& text)
{
    RegistryValue value{std::move(name), REG_SZ, {text.begin(), text.end()}};
    value.Data.push_back(0);
    return value;
}

inline void WriteSettingsStore(const TempConfigHome& config, const std::vector<RegistryValue>& values)
{
    RegistryTree tree;
    AddKey(tree, SettingsKeyPath);
    for (const RegistryValue& value : values)
        SetValue(tree, SettingsKeyPath, value);
    config.WriteStore(FormatRegistryText(tree));
}

// The values under the settings key, in the order they are stored.
inline std::vector<RegistryValue> ReadSettingsStore(const TempConfigHome& config)
{
    RegistryTree tree;
    RegistryTextError error;
    EXPECT_TRUE(ParseRegistryText(config.ReadStore(), tree, error)) << error.Reason;
    for (const RegistryKey& key : tree.Keys)
        if (key.Path == SettingsKeyPath)
            return key.Values;
    ADD_FAILURE() << "no settings key";
    return {};
}
