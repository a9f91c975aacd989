// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/registryops.h"
#include "settingsstore.h"

#include <gtest/gtest.h>

namespace {
class RegistryOps : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CreateUserKey("Software\\Test", key), ERROR_SUCCESS); }
    void TearDown() override { RegCloseKey(key); }

    void Store(const StoredValue& value)
    {
        ASSERT_EQ(RegSetValueExA(key, value.Name.c_str(), 0, value.Type, value.Data.data(),
                                 static_cast<DWORD>(value.Data.size())),
                  ERROR_SUCCESS);
    }

    SettingsStore store;
    HKEY key = nullptr;
};

StoredValue Raw(DWORD type, std::string bytes)
{
    return {"V", type, {bytes.begin(), bytes.end()}};
}
}

TEST_F(RegistryOps, ADwordIsReadFromAnyValueOfExactlyFourBytes)
{
    const struct {
        StoredValue stored;
        LONG expected;
    } cases[] = {
        {Dword("V", 5), 5},
        {Dword("V", 0x80000000), LONG(0x80000000)},
        {Raw(REG_BINARY, std::string("\2\0\0\0", 4)), 2},
        {Raw(REG_SZ, std::string("ab\0\0", 4)), 0x6261},
        {Raw(REG_QWORD, std::string("\1\0\0\0\0\0\0\0", 8)), 77},
        {Raw(REG_DWORD, std::string("\1\0\0", 3)), 77},
        {Raw(REG_SZ, std::string("5\0", 2)), 77},
        {Raw(REG_BINARY, ""), 77},
    };
    LONG untouched = 77;
    EXPECT_EQ(ReadDwordValue(key, "Missing", untouched), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(untouched, 77);
    for (const auto& c : cases) {
        Store(c.stored);
        LONG target = 77;
        EXPECT_EQ(ReadDwordValue(key, "V", target), ERROR_SUCCESS);
        EXPECT_EQ(target, c.expected) << c.stored.Data.size() << " bytes of type " << c.stored.Type;
    }
}

TEST_F(RegistryOps, ATextIsReadUpToItsFirstZeroFromAnyValueWithBytes)
{
    const struct {
        StoredValue stored;
        std::string expected;
    } cases[] = {
        {Text("V", "Test Speakers"), "Test Speakers"},
        {Raw(REG_SZ, "no zero at all"), "no zero at all"},
        {Raw(REG_SZ, std::string("Line In\0junk\0", 13)), "Line In"},
        {Raw(REG_DWORD, std::string("ab\0\0", 4)), "ab"},
        {Raw(REG_SZ, std::string("\0", 1)), ""},
        {Raw(REG_SZ, ""), "old"},
    };
    std::string untouched = "old";
    EXPECT_EQ(ReadStringValue(key, "Missing", untouched), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(untouched, "old");
    for (const auto& c : cases) {
        Store(c.stored);
        std::string target = "old";
        EXPECT_EQ(ReadStringValue(key, "V", target), ERROR_SUCCESS);
        EXPECT_EQ(target, c.expected);
    }
}

TEST_F(RegistryOps, PathsNamesAndTextsAreCutTo255Characters)
{
    const std::string longPath = "Software\\" + std::string(300, 'k');
    HKEY cut = nullptr;
    ASSERT_EQ(CreateUserKey(longPath, cut), ERROR_SUCCESS);
    HKEY opened = nullptr;
    EXPECT_EQ(OpenUserKey(longPath.substr(0, 255), opened), ERROR_SUCCESS);

    const std::string longName(300, 'n');
    ASSERT_EQ(WriteStringValue(cut, longName, std::string(300, 't')), ERROR_SUCCESS);
    std::string text;
    EXPECT_EQ(ReadStringValue(opened, longName.substr(0, 255), text), ERROR_SUCCESS);
    EXPECT_EQ(text, std::string(255, 't'));
    RegCloseKey(cut);
    RegCloseKey(opened);
}
