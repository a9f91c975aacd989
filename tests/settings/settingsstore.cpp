// SPDX-License-Identifier: GPL-3.0-or-later
// The settings tests' store on Linux: the REGEDIT4 file in a fresh XDG_CONFIG_HOME.
#include "settingsstore.h"

#include "platform/registrytext.h"
#include "platform/tempconfighome.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {
std::string StoreFile(const std::string& home)
{
    return home + "/phonoduct/registry.reg";
}
}

SettingsStore::SettingsStore()
{
    char pattern[] = "/tmp/phonoduct-config-XXXXXX";
    place = mkdtemp(pattern) ? pattern : "";
    const char* before = std::getenv("XDG_CONFIG_HOME");
    outer = before ? before : "";
    setenv("XDG_CONFIG_HOME", place.c_str(), 1);
}

SettingsStore::~SettingsStore()
{
    std::error_code ignored;
    std::filesystem::remove_all(place, ignored);
    setenv("XDG_CONFIG_HOME", outer.c_str(), 1);
}

void SettingsStore::Write(const std::vector<StoredValue>& values) const
{
    RegistryTree tree;
    AddKey(tree, SettingsKeyPath);
    for (const StoredValue& value : values)
        SetValue(tree, SettingsKeyPath, {value.Name, value.Type, value.Data});
    std::filesystem::create_directories(place + "/phonoduct");
    std::ofstream(StoreFile(place), std::ios::binary) << FormatRegistryText(tree);
}

std::vector<StoredValue> SettingsStore::Read() const
{
    const std::string text = TempConfigHome::ReadFile(StoreFile(place));
    RegistryTree tree;
    RegistryTextError error;
    EXPECT_TRUE(text.empty() || ParseRegistryText(text, tree, error)) << error.Reason;
    std::vector<StoredValue> values;
    for (const RegistryKey& key : tree.Keys)
        if (key.Path == SettingsKeyPath)
            for (const RegistryValue& value : key.Values)
                values.push_back({value.Name, value.Type, value.Data});
    return values;
}

std::vector<StoredValue> SettingsStore::InStoreOrder(std::vector<StoredValue> values)
{
    return values;
}

bool SettingsStore::Empty() const
{
    return !std::filesystem::exists(place + "/phonoduct");
}
