#include "settings/registryops.h"
#include "settingsstore.h"

#include <gtest/gtest.h>

namespace {
class RegistryOps : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CreateUserKey("Software\\Test", key), ERROR_SUCCESS); }
    void TearDown() override { RegCloseKey(key); }

    void Store(const RegistryValue& value)
    {
        ASSERT_EQ(RegSetValueExA(key, value.Name.c_str(), 0, value.Type, value.Data.data(),
                                 static_cast<DWORD>(value.Data.size())),
                  ERROR_SUCCESS);
    }

    TempConfigHome config;
    HKEY key = nullptr;
};

RegistryValue Raw(DWORD type, std::string bytes)
{
    return {"V", type, {bytes.begin(), bytes.end()}};
}
}

TEST_F(RegistryOps, ADwordIsReadFromAnyValueOfExactlyFourBytes)
{
    const struct {
        RegistryValue stored;
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
        RegistryValue stored;
        std::string expected;
    } cases[] = {
        {Text("V", "Test Speakers"), "Test Speakers"},
        {Raw(REG_SZ, "no zero at all"), "no zero at all"},
        {Raw(REG_SZ, std::string("Line In\0junk\0", 13)), "Line In"},
        {Raw(REG_DWORD, std::string("ab\0\0", 4)), "ab"},
        {Raw(REG_SZ, std::string("\0", 1)), ""},
        {Raw(REG_SZ, ""), "old"},
    };
    for (const auto& c : cases) {
        Store(c.stored);
        std::string target = "old";
        EXPECT_EQ(ReadStringValue(key, "V", target), ERROR_SUCCESS);
        EXPECT_EQ(target, c.expected);
    }
}

TEST_F(RegistryOps, MissingValuesLeaveTheTargetAndReportNotFound)
{
    LONG number = 9;
    std::string text = "old";
    EXPECT_EQ(ReadDwordValue(key, "Missing", number), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadStringValue(key, "Missing", text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(number, 9);
    EXPECT_EQ(text, "old");
    HKEY other = nullptr;
    EXPECT_EQ(OpenUserKey("Software\\Missing", other), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryOps, WritesStoreTheTypeTheBytesAndTheTerminatingZero)
{
    ASSERT_EQ(WriteDwordValue(key, "Xpos", -5), ERROR_SUCCESS);
    ASSERT_EQ(WriteStringValue(key, "Name", "Wave Mapper"), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Xpos", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    LONG x = 0;
    EXPECT_EQ(ReadDwordValue(key, "Xpos", x), ERROR_SUCCESS);
    EXPECT_EQ(x, -5);
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 12u);
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

TEST_F(RegistryOps, FailuresReturnTheRegistryStatus)
{
    HKEY closed = nullptr;
    ASSERT_EQ(OpenUserKey("Software\\Test", closed), ERROR_SUCCESS);
    RegCloseKey(closed);
    EXPECT_EQ(WriteDwordValue(closed, "V", 1), ERROR_INVALID_HANDLE);
    LONG number = 3;
    EXPECT_EQ(ReadDwordValue(closed, "V", number), ERROR_INVALID_HANDLE);
    EXPECT_EQ(number, 3);

    std::filesystem::remove_all(config.Folder());
    std::ofstream(config.Folder()) << "not a folder";
    HKEY created = nullptr;
    EXPECT_EQ(CreateUserKey("Software\\Other", created), ERROR_ACCESS_DENIED);
    EXPECT_EQ(WriteStringValue(key, "V", "x"), ERROR_ACCESS_DENIED);
}
